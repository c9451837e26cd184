#include "pairingfaces.h"

#include "familyfaces.h"
#include "glyphcoverage.h"

namespace varelith {

PairingFaces::PairingFaces(FamilyFaces& faces, GlyphCoverage& coverage)
    : m_faces(faces)
    , m_coverage(coverage) {}

QStringList PairingFaces::styles(const QString& family) {
    QStringList styles;
    for (const FontFace& face : m_faces.faces(family))
        if (!face.variable && !styles.contains(face.styleName))
            styles.append(face.styleName);
    return styles;
}

FaceRef PairingFaces::face(const QString& family, const QString& style) {
    if (!style.isEmpty())
        for (const FontFace& face : m_faces.faces(family))
            if (!face.variable && face.styleName == style)
                return {face.file, face.index};
    return m_coverage.plainFace(family);
}

} // namespace varelith
