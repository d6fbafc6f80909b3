#pragma once
// Freed heap memory is overwritten before it goes back to the allocator.
//
// The toolkit makes copies of what the program shows (the page's HTML parser nodes, the
// laid-out lines, the text store of a document) and frees them without wiping, so a shown
// password would otherwise stay readable in freed blocks long after its page is gone. The
// program therefore replaces the C library's free() and realloc() with versions that clear a
// block before handing it back; every library in the process calls them. malloc() and calloc()
// stay the C library's own, which keeps both ends of every block with the same allocator.
//
// Left out of sanitizer and fuzzing builds, whose runtimes replace the allocator themselves.

namespace bv {

// True when free() of this process wipes (the replacement was linked in).
[[nodiscard]] bool FreedMemoryIsWiped();

}  // namespace bv
