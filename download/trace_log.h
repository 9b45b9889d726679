#pragma once

#include <string>

// The download trace save\dltrace.log: one line per notable transfer fault, without time
// stamps, emptied at every launch. A line that cannot be written is dropped; tracing never
// stops a download.
class TraceLog {
public:
    // Sets the file and empties it.
    void Reset(const std::string& path);
    // Appends line unchanged (callers end it with "\n"). Nothing before Reset.
    void Append(const std::string& line) const;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};
