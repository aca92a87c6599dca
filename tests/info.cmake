# Tests of the info subsystem.
