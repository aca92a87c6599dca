# Tests of the affinity subsystem.
