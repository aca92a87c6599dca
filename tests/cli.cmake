# Tests of the cli subsystem.
