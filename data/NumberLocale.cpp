#include "NumberLocale.h"

#include <clocale>
#include <locale.h>

namespace {

// The C locale object, made once; it lives for the whole run.
locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

void UseCNumberForm() {
    std::setlocale(LC_NUMERIC, "C");
}

CCNumberScope::CCNumberScope()
    : m_previous(CLocale() != static_cast<locale_t>(nullptr) ? uselocale(CLocale())
                                                             : static_cast<locale_t>(nullptr)) {}

CCNumberScope::~CCNumberScope() {
    if (m_previous != static_cast<locale_t>(nullptr))
        uselocale(m_previous);
}
