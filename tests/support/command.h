#pragma once
// Running another program from a test: the command-line program itself, or an outside reader
// of the files the exports write.

#include <string>

namespace stavbas::test {

struct CommandResult {
  int status = -1;  // the exit status; -1 when the program did not end normally
  std::string out;  // what it wrote to standard output
};

// Runs a shell command line and collects its standard output.
CommandResult RunCommand(const std::string& commandLine);

// A shell word: the text in single quotes.
std::string Quoted(const std::string& text);

}  // namespace stavbas::test
