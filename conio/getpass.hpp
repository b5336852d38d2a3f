#pragma once
namespace conio {

// Shows the prompt and reads a line echoed as asterisks. buffer[0]: the maximum (signed
// byte); buffer[1] receives the count; the text follows from buffer[2], zero-terminated.
// Returns buffer + 2.
char* getpass(const char* prompt, char* buffer);

}  // namespace conio
