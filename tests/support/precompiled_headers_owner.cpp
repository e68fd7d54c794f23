// The target that compiles a family's precompiled headers for the tests that reuse them; it is
// never run.
