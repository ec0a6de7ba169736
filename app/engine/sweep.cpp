// sweep: implementation follows.
