#include "platform/FileOps.h"

#include "platform/SuiteServices.h"

// Placeholder until the file operations are written.
namespace k2k {

struct FileOps::OpenFile {};

FileOps::FileOps(SuiteServices& services, MessageBoxes& boxes)
    : m_services(services), m_boxes(boxes) {}
FileOps::~FileOps() = default;
void FileOps::OpenForInput(int& status, int& fileNumber, const std::string&) {
    status = 1;
    fileNumber = 0;
}
void FileOps::OpenForInputQuiet(int& status, int& fileNumber, const std::string&) {
    status = 1;
    fileNumber = 0;
}
void FileOps::OpenForOutput(int& status, int& fileNumber, const std::string&) {
    status = 1;
    fileNumber = 0;
}
void FileOps::ReadLine(int& status, int, std::string&) { status = 1; }
void FileOps::WriteLine(int& status, int, std::string_view) { status = 1; }
void FileOps::CloseFile(int, int, const std::string&) {}
bool FileOps::AtEnd(int) { return true; }
void FileOps::FileExists(int& status, const std::string&) { status = 1; }
void FileOps::FolderExists(std::string&, int& status) { status = 1; }
std::string FileOps::RunTimeErrorText(int) { return {}; }
void FileOps::ShowFailure(std::string_view, std::string_view, const std::string&, int) {}
int FileOps::NextFreeNumber() const { return 1; }

}  // namespace k2k
