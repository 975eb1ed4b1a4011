#include "platform/FileOps.h"

#include "platform/SuiteServices.h"
#include "system/AtomicFile.h"
#include "system/FileLock.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace k2k {

namespace {

// The run time hands out file numbers 1 to 255.
constexpr int kHighestFileNumber = 255;

// Reads a whole file for input; errno-style code on failure. A folder is not a file,
// although this system lets one open it for reading.
int ReadInputFile(const std::filesystem::path& path, std::string& content) {
    if (path.empty())
        return ENOENT;
    int errorNumber = 0;
    if (!ReadWholeFile(path, content, &errorNumber, kLineFileLimit))
        return errorNumber != 0 ? errorNumber : EIO;
    return 0;
}

// "File not found" in a folder that does not exist is the run time's "Path not found".
int RefineNotFound(int errorNumber, const std::filesystem::path& path) {
    if (errorNumber != ENOENT || path.empty())
        return errorNumber;
    const std::filesystem::path folder = path.parent_path();
    std::error_code ignored;
    if (!folder.empty() && !std::filesystem::is_directory(folder, ignored))
        return ENOTDIR;
    return errorNumber;
}

} // namespace

struct FileOps::OpenFile {
    std::string path; // as the caller gave it, for messages
    std::filesystem::path native;
    bool output = false;
    // Input: the whole file and the read position.
    std::string content;
    std::size_t position = 0;
    // Output: the new file beside the target, renamed over it on a clean close.
    AtomicFileWriter writer;
    bool writeFailed = false;
};

FileOps::FileOps(SuiteServices& services, MessageBoxes& boxes)
    : m_services(services), m_boxes(boxes) {
}

// Output files still open are dropped: their targets keep the old content.
FileOps::~FileOps() = default;

int FileOps::NextFreeNumber() const {
    int number = 1;
    for (const auto& [used, file] : m_files) {
        if (used != number)
            break;
        ++number;
    }
    return number <= kHighestFileNumber ? number : 0;
}

namespace {

MessageRequest FailureMessage(const SuiteServices& services, std::string_view textId,
                              std::string_view defaultText, const std::string& path,
                              int errorNumber, std::uint64_t sizeLimit) {
    MessageRequest request;
    request.text = services.GetText(defaultText, textId) + DisplayPath(path);
    if (errorNumber == kErrFileLocked)
        request.text += "\r\n" + FileOps::FileLockedText(services);
    else if (errorNumber == kErrNotRegularFile)
        request.text += "\r\n" + services.GetText("This is not a file but a device, a pipe or a "
                                                  "socket.",
                                                  "992150");
    else if (errorNumber == kErrFileTooLarge)
        request.text +=
            "\r\n" + services.GetText("The file is larger than ", "992151") +
            std::to_string(sizeLimit / kMegabyte) +
            services.GetText(" MB, the most this program reads of such a file.", "992152");
    request.title = FileOps::RunTimeErrorText(errorNumber);
    request.icon = MsgIcon::Exclamation;
    request.buttons = MsgButtons::Ok;
    return request;
}

} // namespace

std::string FileOps::FileLockedText(const SuiteServices& services) {
    return services.GetText("Another program is changing this file. Try again when it has "
                            "finished.",
                            "992001");
}

MessageRequest FileOps::ReadFailureMessage(const SuiteServices& services, const std::string& path,
                                           int errorNumber, std::uint64_t sizeLimit) {
    return FailureMessage(services, "99365", "Can't read file: ", path, errorNumber, sizeLimit);
}

MessageRequest FileOps::WriteFailureMessage(const SuiteServices& services, const std::string& path,
                                            int errorNumber) {
    // A write refused for what it found is the rewrite of an INI file that could not be read.
    return FailureMessage(services, "99335", "Can't create/write to file: ", path, errorNumber,
                          kIniFileLimit);
}

void FileOps::ShowReadFailure(const std::string& path, int errorNumber) {
    m_boxes.Show(ReadFailureMessage(m_services, path, errorNumber));
}

void FileOps::ShowWriteFailure(const std::string& path, int errorNumber) {
    m_boxes.Show(WriteFailureMessage(m_services, path, errorNumber));
}

void FileOps::OpenInput(int& status, int& fileNumber, const std::string& path, bool quiet) {
    status = 1;
    fileNumber = NextFreeNumber();
    auto file = std::make_unique<OpenFile>();
    file->path = path;
    file->native = NativePath(path);
    int errorNumber = fileNumber == 0 ? EMFILE : ReadInputFile(file->native, file->content);
    if (errorNumber != 0) {
        if (!quiet)
            ShowReadFailure(path, RefineNotFound(errorNumber, file->native));
        return;
    }
    m_files.emplace(fileNumber, std::move(file));
    status = 0;
}

void FileOps::OpenForInput(int& status, int& fileNumber, const std::string& path) {
    OpenInput(status, fileNumber, path, false);
}

void FileOps::OpenForInputQuiet(int& status, int& fileNumber, const std::string& path) {
    OpenInput(status, fileNumber, path, true);
}

void FileOps::OpenForOutput(int& status, int& fileNumber, const std::string& path) {
    status = 1;
    fileNumber = NextFreeNumber();
    auto file = std::make_unique<OpenFile>();
    file->path = path;
    file->native = NativePath(path);
    file->output = true;

    int errorNumber = 0;
    std::error_code ignored;
    if (fileNumber == 0) {
        errorNumber = EMFILE;
    } else if (file->native.empty()) {
        errorNumber = ENOENT;
    } else if (std::filesystem::is_directory(file->native, ignored)) {
        errorNumber = EISDIR;
    } else {
        for (const auto& [number, open] : m_files)
            if (open->output && open->native == file->native)
                errorNumber = kErrFileAlreadyOpen;
    }
    if (errorNumber == 0)
        if (const Status opened = file->writer.Open(file->native); !opened)
            errorNumber = opened.Error().systemError != 0 ? opened.Error().systemError : EIO;
    if (errorNumber != 0) {
        ShowWriteFailure(path, RefineNotFound(errorNumber, file->native));
        return;
    }
    m_files.emplace(fileNumber, std::move(file));
    status = 0;
}

void FileOps::ReadLine(int& status, int fileNumber, std::string& line) {
    status = 1;
    line.clear();
    const auto found = m_files.find(fileNumber);
    if (found == m_files.end() || found->second->output) {
        ShowReadFailure(found == m_files.end() ? std::string() : found->second->path, EBADF);
        return;
    }
    OpenFile& file = *found->second;
    const std::string& content = file.content;
    if (file.position >= content.size()) {
        ShowReadFailure(file.path, kErrInputPastEnd);
        return;
    }
    std::string_view rest = std::string_view(content).substr(file.position);
    line.assign(TakeLine(rest));
    file.position = content.size() - rest.size();
    status = 0;
}

void FileOps::WriteLine(int& status, int fileNumber, std::string_view text) {
    status = 1;
    const auto found = m_files.find(fileNumber);
    if (found == m_files.end() || !found->second->output) {
        ShowWriteFailure(found == m_files.end() ? std::string() : found->second->path, EBADF);
        return;
    }
    OpenFile& file = *found->second;
    if (const Status written = file.writer.Write(text); !written) {
        file.writeFailed = true;
        const int errorNumber = written.Error().systemError;
        ShowWriteFailure(file.path, errorNumber != 0 ? errorNumber : EIO);
        return;
    }
    status = 0;
}

void FileOps::CloseFile(int deleteFlag, int fileNumber, const std::string& path) {
    const auto found = m_files.find(fileNumber);
    if (found != m_files.end()) {
        std::unique_ptr<OpenFile> file = std::move(found->second);
        m_files.erase(found);
        if (file->output) {
            if (deleteFlag != 0 || file->writeFailed) {
                file->writer.Abort();
            } else if (const Status committed = file->writer.Commit(); !committed) {
                // The lines were accepted but never reached the disk: the one failure that
                // would otherwise go unnoticed. The old file is still whole.
                const int errorNumber = committed.Error().systemError;
                ShowWriteFailure(file->path, errorNumber != 0 ? errorNumber : EIO);
            }
        }
    }
    if (deleteFlag != 0) {
        std::error_code ignored;
        const std::filesystem::path native = NativePath(path);
        if (!native.empty() && !std::filesystem::is_directory(native, ignored))
            std::filesystem::remove(native, ignored);
    }
}

bool FileOps::AtEnd(int fileNumber) {
    const auto found = m_files.find(fileNumber);
    if (found == m_files.end() || found->second->output)
        return true;
    return found->second->position >= found->second->content.size();
}

void FileOps::FailWritesAfter(int fileNumber, std::size_t bytes) {
    const auto found = m_files.find(fileNumber);
    if (found != m_files.end() && found->second->output)
        found->second->writer.FailAfterBytes(bytes);
}

void FileOps::FileExists(int& status, const std::string& path) {
    const std::filesystem::path native = NativePath(path);
    struct stat info {};
    int errorNumber = 0;
    status = 1;
    if (native.empty())
        return;
    const int descriptor = OpenWholeFile(native, UINT64_MAX, info, errorNumber);
    if (descriptor >= 0) {
        ::close(descriptor);
        status = 0;
    }
}

void FileOps::FolderExists(std::string& path, int& status) {
    const std::string given = path;
    UpperCaseInPlace(path);
    const bool drive = (path.size() == 2 || (path.size() == 3 && path[2] == '\\')) &&
                       path[1] == ':' && path[0] >= 'A' && path[0] <= 'Y';
    if (drive) {
        status = 0;
        return;
    }
    // The folder could be made current: it is a folder and may be searched. The current
    // folder itself is left alone; it belongs to the whole process.
    const std::filesystem::path native = NativePath(given);
    struct stat info {};
    status = (!native.empty() && ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
              ::access(native.c_str(), X_OK) == 0)
                 ? 0
                 : 1;
}

std::string FileOps::RunTimeErrorText(int errorNumber) {
    switch (errorNumber) {
    case kErrInputPastEnd:
        return "Input past end of file";
    case kErrFileAlreadyOpen:
        return "File already open";
    case ENOENT:
        return "File not found";
    case ENOTDIR:
        return "Path not found";
    case kErrFileTooLarge: // what the run time says of a file it cannot take in
        return "Out of memory";
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
    case kErrFileLocked: // the run time's answer for a file another program holds
        return "Permission denied";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "Disk full";
    case EIO:
        return "Device I/O error";
    case EBADF:
        return "Bad file name or number";
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return "Bad file name";
    case EMFILE:
    case ENFILE:
        return "Too many files";
    case EEXIST:
        return "File already exists";
    case ENOMEM:
        return "Out of memory";
    case EXDEV:
        return "Can't rename with different drive";
    case ENODEV:
    case ENXIO:
        return "Device unavailable";
    case EISDIR:
    default:
        return "Path/File access error";
    }
}

} // namespace k2k
