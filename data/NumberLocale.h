#pragma once

#include <locale.h>

// Numbers in files and texts are always written and read in the C locale's form ("12.5",
// never "12,5"): Touchstone readers, the data text's users and scripts all expect it.
//
// The toolkit's application object takes the whole locale from the environment when it is
// created; a program calls UseCNumberForm() right after that, so that the C library formats
// and parses numbers in the C form for the rest of the run. The user interface shows
// numbers through the toolkit's own locale, which this does not touch.
void UseCNumberForm();

// Holds the C locale for the calling thread while a writer formats numbers, whatever the
// process's locale is; the thread's previous locale comes back at the end of the scope.
class CCNumberScope {
public:
    CCNumberScope();
    ~CCNumberScope();
    CCNumberScope(const CCNumberScope&) = delete;
    CCNumberScope& operator=(const CCNumberScope&) = delete;

private:
    locale_t m_previous;
};
