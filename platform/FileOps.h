#pragma once
// The browser's one family of text-file operations. Each catches its own failure, shows
// the read-failure or write-failure message for the path (exclamation icon, OK button,
// titled with the run time's description of the error), and sets its status flag:
// 0 success, 1 failure. File numbers are the run time's: the next free one from 1.
//
// Lines: ReadLine ends a line at CR LF, LF or CR; WriteLine writes the text as it stands
// (callers put the line ends into the text). A file opened for output is written to a
// new file beside the target and takes the target's place only when it is closed with no
// failed write, so an interrupted write leaves the old file whole. The file's lock is
// held from the opening to the closing, so other browsers and k2klib runs that rewrite
// it take turns with this one; a read-only file is refused at the opening
// (AtomicFileWriter).

#include "platform/MessageBoxes.h"
#include "system/ReadLimits.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace k2k {

class SuiteServices;

class FileOps final {
public:
    FileOps(SuiteServices& services, MessageBoxes& boxes);
    ~FileOps();
    FileOps(const FileOps&) = delete;
    FileOps& operator=(const FileOps&) = delete;

    void OpenForInput(int& status, int& fileNumber, const std::string& path);
    // The same without any message: for files that are silently left out when unreadable.
    void OpenForInputQuiet(int& status, int& fileNumber, const std::string& path);
    void OpenForOutput(int& status, int& fileNumber, const std::string& path);
    void ReadLine(int& status, int fileNumber, std::string& line);
    void WriteLine(int& status, int fileNumber, std::string_view text);
    // Closes; a non-zero delete flag deletes the file at path (an output file is then
    // dropped). An output file replaces its target here, only when every write succeeded;
    // if the replacing itself fails, the write-failure message is shown and the old file
    // stays.
    void CloseFile(int deleteFlag, int fileNumber, const std::string& path);
    // True when no further line can be read (also for a number that is not open).
    bool AtEnd(int fileNumber);

    // Status 0 when the file can be opened for reading; no message.
    static void FileExists(int& status, const std::string& path);
    // Upper-cases path in place. Status 0 when the folder exists; a drive letter A to Y
    // followed by ":" or ":\" always exists. The test looks for the path as it was given,
    // without regard to case (NativePath). A folder counts when it could be made the
    // current folder (a folder that may be searched); the current folder is not actually
    // changed, since it belongs to the whole process.
    static void FolderExists(std::string& path, int& status);

    // Failures of the run time that have no errno.
    static constexpr int kErrInputPastEnd = -62;    // a read after the last line
    static constexpr int kErrFileAlreadyOpen = -55; // a second output on the same file

    // The run time's description of an errno ("File not found", "Permission denied", ...)
    // or of one of the codes above.
    static std::string RunTimeErrorText(int errorNumber);
    // The read-failure and write-failure messages for a path (the suite's form; the text
    // shows this system's form), as every file operation shows them; for others that read
    // or write files (the initialisation file).
    // A file refused for what it is or its size (ReadLimits.h) gets a line that says so;
    // sizeLimit: the limit it was read with.
    static MessageRequest ReadFailureMessage(const SuiteServices& services, const std::string& path,
                                             int errorNumber,
                                             std::uint64_t sizeLimit = kLineFileLimit);
    static MessageRequest WriteFailureMessage(const SuiteServices& services,
                                              const std::string& path, int errorNumber);
    // The line these messages add for a file that another program held locked all the
    // time a writer waited (kErrFileLocked).
    static std::string FileLockedText(const SuiteServices& services);

    int OpenCount() const noexcept { return static_cast<int>(m_files.size()); }

    // Test hook: writes to an open output file fail after this many bytes, as on a full disk.
    void FailWritesAfter(int fileNumber, std::size_t bytes);

private:
    struct OpenFile;
    void ShowReadFailure(const std::string& path, int errorNumber);
    void ShowWriteFailure(const std::string& path, int errorNumber);
    void OpenInput(int& status, int& fileNumber, const std::string& path, bool quiet);
    int NextFreeNumber() const;

    SuiteServices& m_services;
    MessageBoxes& m_boxes;
    std::map<int, std::unique_ptr<OpenFile>> m_files;
};

} // namespace k2k
