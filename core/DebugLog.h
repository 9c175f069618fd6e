#pragma once

// The process-wide trace file. Every subsystem writes its trace and timing
// lines through WriteDebugLog; each call is one line, flushed at once, so the
// file holds every line written so far even if the program dies.
//
// The program opens "debug.log" in its state folder at start-up. Until
// then (and in library code and tests that do not redirect it) the log is off
// and writes nothing.

#include <filesystem>
#include <ostream>
#include <string>

// Appends `tabs` tab characters (none when 0 or less), the text and a line end.
void WriteDebugLog(const std::string& text, int tabs = 0);

// Whether lines go anywhere; lets callers skip building long reports.
bool DebugLogEnabled();

// Ends a log line: one line feed, then a flush.
std::ostream& EndLineFlush(std::ostream& stream);

// Creates or empties the file and sends the log there. When it cannot be
// created the log stays off and every later write is silently dropped.
bool OpenDebugLog(const std::filesystem::path& path);
// Sends the log to a stream the caller owns (tests); nullptr switches it off.
void RedirectDebugLog(std::ostream* stream);
void CloseDebugLog();
