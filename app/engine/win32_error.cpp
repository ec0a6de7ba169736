// win32_error: implementation follows.
