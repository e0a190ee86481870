#pragma once
// Where the two Windows builds differ. The 32-bit build is the program for
// Windows 95 and NT 4, so the records those systems define keep their exact
// sizes there; the 64-bit build uses the same structures with its wider
// handles and pointers.

inline constexpr bool kFixedRecordLayout = sizeof(void*) == 4;
