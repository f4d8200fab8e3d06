// Running out of memory: no program here can carry on with a half-made string or array.
#ifndef COMMON_MEMORY_H
#define COMMON_MEMORY_H

// Ends the program with the system's own out-of-memory exception; it shows no text of ours.
[[noreturn]] void OutOfMemory();

#endif
