// pattern_list: implementation follows.
