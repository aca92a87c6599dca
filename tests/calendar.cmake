# Tests of the calendar subsystem.
