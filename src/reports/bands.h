#pragma once

#include <QDate>
#include <QList>
#include <optional>

class Connection;

// The progress a product was expected to have made on the day of its latest report, in
// whole percent rounded half to even (the report by executing unit's "parcial1"); 0 for a
// product whose end lies before its start.
qint64 expectedAtLastReport(const QDate& lastReport, const QDate& start, const QDate& end);

// The four colour bands of the report by executing unit: how far a product's reported
// progress may be from the expected one, each band between two bounds.
class Bands {
public:
    struct Band {
        qint64 start = 0; // inicio
        qint64 end = 0;   // final
    };

    Bands() = default;
    explicit Bands(QList<Band> bands)
        : m_bands(std::move(bands)) {}

    // The first four rows of t_rango as the store returns them. With fewer than four the
    // last row read serves again for the rest; with none every bound is 0.
    static Bands read(Connection& connection);

    const QList<Band>& bands() const { return m_bands; }

    // The band whose bounds hold `difference` strictly (end < difference < start), the
    // later band when several do: 1 to 4, none when no band does.
    std::optional<int> bandOf(qint64 difference) const;

    // The background a row of each band is drawn with.
    struct Rgb {
        int red;
        int green;
        int blue;
    };
    static Rgb colour(int band);

private:
    QList<Band> m_bands;
};
