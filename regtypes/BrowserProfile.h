#pragma once
// The browser profile "K2KBRWSR.ini" in the system folder: the file form of the eight
// registered-type tables (RegTypeTables.h). It is read once at start and rewritten whole
// after each confirmed editing dialog; both go through the file operations (FileOps.h).
//
// As written, 8-bit text with CR LF line ends: per table 1 to 8 a header "[PartType]", one
// line per entry, a trailer "[End PartType]" and an empty line; then one more empty line
// and "[ENDPROFILE]" without a line end. An entry line is (depth - 1) TABs, then
// "table,Sys|Usr,path:value", so a second-level user entry 5,7 of the technologies reads
// TAB "3,Usr,5,7:Low power".
//
// Reading is line by line and forgiving: a line that does not fit is skipped, or becomes
// an entry with empty path and text (ParseProfileLine), and never fails the read. Headers
// and trailers are skipped like any other odd line, so the tables may come in any order.

#include "regtypes/RegTypeTables.h"

#include <functional>
#include <string>
#include <string_view>

namespace k2k {

class FileOps;
class SuiteServices;

// What one profile line is to the reader.
struct ProfileLine {
    enum class Kind {
        Entry,     // appended to table `table`
        Empty,     // nothing left once the blanks and the indentation are gone
        Comment,   // an apostrophe in its first comma field
        NotATable, // its first comma field is not a table number 1 to 8
    };
    Kind kind = Kind::Empty;
    int table = 0;
    RegTypeEntry entry;
    bool hasColon = false;       // without a ":" the entry's path and text stay empty
    bool textLost = false;       // a second ":" cuts off the rest of the line
    std::string_view lost;       // what the second ":" cut off (a view into the line)
    std::string_view firstField; // what the table number was read from (a view into the line)
};

// One line as the reader takes it:
//  1. blanks at both ends are dropped, then everything up to and including the last TAB;
//  2. an empty line is skipped, and so is a comment (an apostrophe in the first field);
//  3. the first field must be a table number, 1 to 8: digits only, blanks around them
//     allowed ("01" is 1); a sign, a fraction, an exponent or a word skips the line;
//  4. the second field "SYS", in any case, makes a system entry, anything else a user one;
//  5. the text is the part between the first and a second ":", as it stands; the path is
//     what comes after the second comma and before the first ":", trimmed of blanks.
ProfileLine ParseProfileLine(std::string_view line);

// Called for every line read, with its number from 1 (for the profile check).
using ProfileLineObserver =
    std::function<void(int lineNumber, std::string_view line, const ProfileLine& parsed)>;

// Empties the tables, remembers path as the profile path, reads every line of the file
// into the tables, closes it and sets the counts to the upper bounds. errorFlag is 0, or
// 1 when a file operation failed: it showed its own message, the failure is reported as
// error 8, and the tables keep what was read so far.
void ReadBrowserProfile(RegTypeTables& tables, FileOps& files, SuiteServices& services,
                        int& errorFlag, const std::string& path,
                        const ProfileLineObserver& observer = {});

// Writes the tables to path in the written form, entries 1 to the count of each table
// (a count above the upper bound is lowered to it first). The file is replaced only when
// every line was written; on a failed write the old profile stays, the file operation
// shows its message and the failure is reported as error 8. onOpened gets the number of
// the output file once it is open (tests use it to make writes fail).
void WriteBrowserProfile(RegTypeTables& tables, FileOps& files, SuiteServices& services,
                         const std::string& path,
                         const std::function<void(int fileNumber)>& onOpened = {});

} // namespace k2k
