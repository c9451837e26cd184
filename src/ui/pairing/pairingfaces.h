#pragma once

#include "faceref.h"

#include <QString>
#include <QStringList>

namespace varelith {

class FamilyFaces;
class GlyphCoverage;

// The faces a pairing names: a family's style names to choose from, and the face of a
// family in a style, found among the family's own faces (FamilyFaces).
class PairingFaces {
public:
    PairingFaces(FamilyFaces& faces, GlyphCoverage& coverage);

    // The family's styles as it lists them ("Regular", "Bold"...), each once; the variable
    // font itself is left out, its named instances are not.
    QStringList styles(const QString& family);
    // The face of that style; an empty or unknown style is the family's plain face, the
    // one its sheet line is set in. Null for a family that is not installed.
    FaceRef face(const QString& family, const QString& style);

private:
    FamilyFaces& m_faces;
    GlyphCoverage& m_coverage;
};

} // namespace varelith
