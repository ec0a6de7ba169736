#pragma once
// A failure in words for the user: the platform's description and what it
// happened to for a Win32Error, the exception's own text otherwise.
#include <exception>
#include <string>

std::wstring DescribeFailure(const std::exception& failure);
