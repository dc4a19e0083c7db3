// Filter expressions of table datasets ("cod_unidad='X' and uni_gestion='2008'").

#include "fuzzing.h"
#include "store/filter.h"
#include "store/storeerror.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzing::text(data, size);
    fuzzing::setCurrent(text);

    // Any text is read or refused with StoreError; what is read writes back as a text that
    // reads as the same filter.
    const auto filter = fuzzing::attempt<StoreError>([&] { return Filter::parse(text); });
    if (filter) {
        for (const Filter::Term& t : filter->terms()) {
            FUZZ_CHECK(!t.field.isEmpty());
            for (const QChar c : t.field)
                FUZZ_CHECK(c.isLetterOrNumber() || c == u'_');
        }
        FUZZ_CHECK(filter->isEmpty() || !filter->terms().first().orWithPrevious);
        const QString written = filter->text();
        const auto again = fuzzing::attempt<StoreError>([&] { return Filter::parse(written); });
        FUZZ_CHECK(again == filter);
        FUZZ_CHECK(again->text() == written);
    }

    // Any text is a value: built in code, written and read back, it stays itself,
    // apostrophes, blanks and all.
    Filter built = Filter::equals(QStringLiteral("cod_unidad"), text);
    built.andEquals(QStringLiteral("uni_gestion"), text).orEquals(QStringLiteral("tipo"), text);
    const auto read = fuzzing::attempt<StoreError>([&] { return Filter::parse(built.text()); });
    FUZZ_CHECK(read == built);
    for (const Filter::Term& t : read->terms())
        FUZZ_CHECK(t.value == text);
    return 0;
}
