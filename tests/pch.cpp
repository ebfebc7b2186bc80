// The test programs' precompiled header is made with this file's options.
