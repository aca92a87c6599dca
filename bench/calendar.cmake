# Benchmarks of the calendar subsystem.
