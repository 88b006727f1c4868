#include "shell/command_line.h"

#include "model/vocabulary.h"

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
  std::string joined;
  for (const std::string& a : arguments) joined += a + " ";
  return TrimBlanks(joined);
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}
