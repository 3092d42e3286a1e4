#pragma once

#include <exception>
#include <functional>
#include <string>

namespace tk {

// A runtime error of the station, numbered like the old runtime's errors so that the message the user
// sees names the same failure ("Run-time error '53'", "File not found").
class RuntimeError : public std::exception {
public:
    RuntimeError(int number, std::string description, std::string source = {});
    int number() const noexcept { return m_number; }
    const std::string& description() const noexcept { return m_description; }
    const std::string& source() const noexcept { return m_source; }
    const char* what() const noexcept override { return m_description.c_str(); }

private:
    int m_number;
    std::string m_description;
    std::string m_source;
};

// Thrown to unwind the handler that ended the program, so no statement after the end runs.
// Deliberately not a std::exception: handlers that ignore errors must not swallow it.
struct ProgramEnded {};

namespace err {
inline constexpr int kInvalidProcedureCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kFileNotFound = 53;
inline constexpr int kBadFileMode = 54;
inline constexpr int kDiskFull = 61;
inline constexpr int kDeviceUnavailable = 68;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathNotFound = 76;
inline constexpr int kInvalidPropertyValue = 380;
inline constexpr int kInvalidPicture = 481;
inline constexpr int kIndexOutOfBounds = 35600;
} // namespace err

// The message text the runtime shows for an error nobody handled.
std::string runtimeErrorText(const RuntimeError& e);

// Runs an event handler under the station's error policy. At the outermost level an error that
// nobody handled shows the runtime-style message and ends the program; inside a handler that was
// raised by another handler, errors travel up to that caller so its own error policy applies.
void dispatch(const std::function<void()>& handler);

// True while some event handler is running (a nested event loop, e.g. a message box, is inside one).
bool insideHandler();

// Runs one step and swallows any runtime error it raises ("skip the failing step, run the next").
// The end of the program is never swallowed.
void ignoreErrors(const std::function<void()>& step);

// Runs one step; any runtime error is caught and returned instead (nullptr-like empty when none).
bool tryStep(const std::function<void()>& step, RuntimeError* caught = nullptr);

} // namespace tk
