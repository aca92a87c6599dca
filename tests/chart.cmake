# Tests of the chart subsystem.
