#pragma once
// Qt's tree view lays out open branches by recursing once per level, so a
// very deep project (a chain of 100,000 nested items, opened) needs far more
// stack than the usual 8 MB. The editor's own code walks trees with explicit
// stacks; this gives the main thread room for the view.

// Raises the main thread's stack limit as far as allowed, up to `bytes`;
// call first thing in main. Without such a limit (Windows) it does nothing:
// there the size is fixed when the program is linked.
void AllowDeepStack(unsigned long long bytes = 512ull << 20);
