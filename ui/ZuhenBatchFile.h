#pragma once

// The batch file through which the CAD program starts this viewer as one of
// its external commands: it runs the viewer on the CAD program's data file
// "zhc_temp.txt", waits for it, and answers with a one-line reply file. Its
// comment lines declare the viewer to the CAD program. The file is written
// as that program reads it: Shift-JIS, every line ended by CR LF.

#include <filesystem>
#include <string>
#include <vector>

// The 29 lines, Shift-JIS, with the program folder (Shift-JIS, no trailing
// separator unless it is a root) in the search path of line 3. A "%" in the
// folder is doubled so that the batch file does not expand it.
std::vector<std::string> ZuhenBatchLines(const std::string& program_folder);

// The chosen name with its extension made ".bat" (replaced, or appended to a
// name without one).
std::filesystem::path BatchFileName(const std::filesystem::path& chosen);

enum class TBatchWriteResult {
    Written,
    // The program folder has characters Shift-JIS cannot hold: the file
    // would name a folder that does not exist.
    FolderNotShiftJis,
    NotWritable,
};

// Writes the batch file for the program in `program_folder` (a UTF-8 path),
// replacing any file of that name.
TBatchWriteResult WriteZuhenBatchFile(const std::filesystem::path& file, const std::filesystem::path& program_folder);
