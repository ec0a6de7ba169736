#pragma once
// A failure in words for the user: the description a win32::Error
// carries (the platform's or the callee's words and what it happened to), the platform's words
// for running out of memory, and the exception's own text otherwise.
#include <exception>
#include <string>

std::wstring DescribeFailure(const std::exception& failure);
