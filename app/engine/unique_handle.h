#pragma once
// The engine's names for the shared handle owners (win32/handle_owners.h).
#include "handle_owners.h"

using win32::FileHandle;
using win32::FindHandle;
using win32::KernelHandle;
using win32::UniqueHandle;
