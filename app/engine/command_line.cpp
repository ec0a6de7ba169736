// command_line: implementation follows.
