// The library that carries the test programs' precompiled header needs a source of its own; it defines nothing.
