// The source of the target that precompiles Qt's headers for the others.
