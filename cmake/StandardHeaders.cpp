// The library that carries the layers' precompiled standard headers needs a source of its own; it defines nothing.
