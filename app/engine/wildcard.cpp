// wildcard: implementation follows.
