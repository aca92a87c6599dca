# Tests of the app subsystem.
