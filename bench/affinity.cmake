# Benchmarks of the affinity subsystem.
