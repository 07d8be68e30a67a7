#include "document/line_distances.h"

#include "document/units.h"
#include "document/varnel_doc.h"

double usableKu(double ku) { return ku > 0.0 ? ku : kReferenceKu; }

double realDistanceAt(double position, double ku, const std::vector<Section>& grid, double& stretchKu)
{
    stretchKu = ku;
    double real = position / ku * kReferenceKu;
    if (grid.empty())
        return real;
    double acc = 0.0, b = 0.0, k = kReferenceKu;
    for (const Section& s : grid) {
        const double a = s.start / 100;
        b = s.end / 100;
        k = usableKu(s.ku);
        if (a <= position && position < b) {
            real = acc + (position - a) / k * kReferenceKu;
            stretchKu = k;
        }
        acc += (b - a) / k * kReferenceKu;
    }
    if (position >= b) {
        real = acc + (position - b) / k * kReferenceKu;
        stretchKu = k;
    }
    return real;
}

double LineDistances::realAt(double position, double& stretchKu) const
{
    return realDistanceAt(position, ku, sections, stretchKu);
}

double LineDistances::toReal(double position) const
{
    double stretchKu = 0.0;
    return realAt(position, stretchKu);
}

LineDistances documentDistances(const CVarnelDoc& doc)
{
    LineDistances d;
    d.ku = doc.vfactor;
    if (doc.gridActive())
        d.sections = doc.sections.all();
    return d;
}
