#include "characterblocks.h"

#include <QHash>

#include <unicode/uchar.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

// The blocks a Japanese user meets, by their Japanese names; the others keep ICU's
// English name.
QString japaneseName(int code) {
    static const QHash<int, QString> names{
        {UBLOCK_BASIC_LATIN, u"基本ラテン文字"_s},
        {UBLOCK_LATIN_1_SUPPLEMENT, u"ラテン1補助"_s},
        {UBLOCK_LATIN_EXTENDED_A, u"ラテン文字拡張A"_s},
        {UBLOCK_LATIN_EXTENDED_B, u"ラテン文字拡張B"_s},
        {UBLOCK_LATIN_EXTENDED_ADDITIONAL, u"ラテン文字拡張追加"_s},
        {UBLOCK_IPA_EXTENSIONS, u"IPA 拡張"_s},
        {UBLOCK_SPACING_MODIFIER_LETTERS, u"前進を伴う修飾文字"_s},
        {UBLOCK_COMBINING_DIACRITICAL_MARKS, u"ダイアクリティカルマーク"_s},
        {UBLOCK_GREEK, u"ギリシャ文字及びコプト文字"_s},
        {UBLOCK_GREEK_EXTENDED, u"ギリシャ文字拡張"_s},
        {UBLOCK_CYRILLIC, u"キリル文字"_s},
        {UBLOCK_GENERAL_PUNCTUATION, u"一般句読点"_s},
        {UBLOCK_SUPERSCRIPTS_AND_SUBSCRIPTS, u"上付き・下付き文字"_s},
        {UBLOCK_CURRENCY_SYMBOLS, u"通貨記号"_s},
        {UBLOCK_LETTERLIKE_SYMBOLS, u"文字様記号"_s},
        {UBLOCK_NUMBER_FORMS, u"数字に準じるもの"_s},
        {UBLOCK_ARROWS, u"矢印"_s},
        {UBLOCK_MATHEMATICAL_OPERATORS, u"数学記号"_s},
        {UBLOCK_MISCELLANEOUS_TECHNICAL, u"その他の技術用記号"_s},
        {UBLOCK_CONTROL_PICTURES, u"制御機能用記号"_s},
        {UBLOCK_ENCLOSED_ALPHANUMERICS, u"囲み英数字"_s},
        {UBLOCK_BOX_DRAWING, u"罫線素片"_s},
        {UBLOCK_BLOCK_ELEMENTS, u"ブロック要素"_s},
        {UBLOCK_GEOMETRIC_SHAPES, u"幾何学模様"_s},
        {UBLOCK_MISCELLANEOUS_SYMBOLS, u"その他の記号"_s},
        {UBLOCK_DINGBATS, u"装飾記号"_s},
        {UBLOCK_MISCELLANEOUS_SYMBOLS_AND_ARROWS, u"その他の記号及び矢印"_s},
        {UBLOCK_CJK_RADICALS_SUPPLEMENT, u"CJK 部首補助"_s},
        {UBLOCK_KANGXI_RADICALS, u"康熙部首"_s},
        {UBLOCK_IDEOGRAPHIC_DESCRIPTION_CHARACTERS, u"漢字構成記述文字"_s},
        {UBLOCK_CJK_SYMBOLS_AND_PUNCTUATION, u"CJK の記号及び句読点"_s},
        {UBLOCK_HIRAGANA, u"ひらがな"_s},
        {UBLOCK_KATAKANA, u"カタカナ"_s},
        {UBLOCK_BOPOMOFO, u"注音字母"_s},
        {UBLOCK_HANGUL_COMPATIBILITY_JAMO, u"ハングル互換字母"_s},
        {UBLOCK_KANBUN, u"漢文用記号"_s},
        {UBLOCK_CJK_STROKES, u"CJK の筆画"_s},
        {UBLOCK_KATAKANA_PHONETIC_EXTENSIONS, u"カタカナ拡張"_s},
        {UBLOCK_ENCLOSED_CJK_LETTERS_AND_MONTHS, u"囲み CJK 文字・月"_s},
        {UBLOCK_CJK_COMPATIBILITY, u"CJK 互換用文字"_s},
        {UBLOCK_CJK_UNIFIED_IDEOGRAPHS_EXTENSION_A, u"CJK 統合漢字拡張A"_s},
        {UBLOCK_CJK_UNIFIED_IDEOGRAPHS, u"CJK 統合漢字"_s},
        {UBLOCK_HANGUL_SYLLABLES, u"ハングル音節文字"_s},
        {UBLOCK_PRIVATE_USE_AREA, u"私用領域"_s},
        {UBLOCK_CJK_COMPATIBILITY_IDEOGRAPHS, u"CJK 互換漢字"_s},
        {UBLOCK_ALPHABETIC_PRESENTATION_FORMS, u"アルファベット表示形"_s},
        {UBLOCK_VARIATION_SELECTORS, u"異体字セレクタ"_s},
        {UBLOCK_VERTICAL_FORMS, u"縦書き形"_s},
        {UBLOCK_CJK_COMPATIBILITY_FORMS, u"CJK 互換形"_s},
        {UBLOCK_SMALL_FORM_VARIANTS, u"小字形"_s},
        {UBLOCK_HALFWIDTH_AND_FULLWIDTH_FORMS, u"半角・全角形"_s},
        {UBLOCK_SPECIALS, u"特殊用途文字"_s},
        {UBLOCK_KANA_SUPPLEMENT, u"かな補助"_s},
        {UBLOCK_KANA_EXTENDED_A, u"かな拡張A"_s},
        {UBLOCK_SMALL_KANA_EXTENSION, u"小書きかな拡張"_s},
        {UBLOCK_ENCLOSED_ALPHANUMERIC_SUPPLEMENT, u"囲み英数字補助"_s},
        {UBLOCK_ENCLOSED_IDEOGRAPHIC_SUPPLEMENT, u"囲み漢字補助"_s},
        {UBLOCK_MISCELLANEOUS_SYMBOLS_AND_PICTOGRAPHS, u"その他の記号及び絵記号"_s},
        {UBLOCK_EMOTICONS, u"顔文字"_s},
        {UBLOCK_CJK_UNIFIED_IDEOGRAPHS_EXTENSION_B, u"CJK 統合漢字拡張B"_s},
        {UBLOCK_CJK_UNIFIED_IDEOGRAPHS_EXTENSION_C, u"CJK 統合漢字拡張C"_s},
        {UBLOCK_CJK_UNIFIED_IDEOGRAPHS_EXTENSION_D, u"CJK 統合漢字拡張D"_s},
        {UBLOCK_CJK_UNIFIED_IDEOGRAPHS_EXTENSION_E, u"CJK 統合漢字拡張E"_s},
        {UBLOCK_CJK_UNIFIED_IDEOGRAPHS_EXTENSION_F, u"CJK 統合漢字拡張F"_s},
        {UBLOCK_CJK_UNIFIED_IDEOGRAPHS_EXTENSION_G, u"CJK 統合漢字拡張G"_s},
        {UBLOCK_CJK_COMPATIBILITY_IDEOGRAPHS_SUPPLEMENT, u"CJK 互換漢字補助"_s},
        {UBLOCK_VARIATION_SELECTORS_SUPPLEMENT, u"異体字セレクタ補助"_s},
        {UBLOCK_NO_BLOCK, u"ブロック外"_s},
    };
    if (const auto found = names.constFind(code); found != names.constEnd())
        return *found;
    const char* name = u_getPropertyValueName(UCHAR_BLOCK, code, U_LONG_PROPERTY_NAME);
    return QString::fromLatin1(name ? name : "No_Block").replace(QChar(u'_'), QChar(u' '));
}

} // namespace

QList<CharacterBlocks::Block> CharacterBlocks::of(const FcCharSet* characters) {
    QList<Block> blocks;
    if (!characters)
        return blocks;
    QHash<int, qsizetype> byCode;
    // The set's pages of 256 characters with a bitmap each, walked without a lookup per
    // character.
    FcChar32 map[FC_CHARSET_MAP_SIZE];
    FcChar32 next = 0;
    for (FcChar32 page = FcCharSetFirstPage(characters, map, &next); page != FC_CHARSET_DONE;
         page = FcCharSetNextPage(characters, map, &next)) {
        for (int word = 0; word < FC_CHARSET_MAP_SIZE; ++word) {
            for (FcChar32 bits = map[word]; bits; bits &= bits - 1) {
                const char32_t character =
                    page + FcChar32(word) * 32 + FcChar32(__builtin_ctz(bits));
                const int code = int(ublock_getCode(UChar32(character)));
                auto found = byCode.constFind(code);
                if (found == byCode.constEnd()) {
                    found = byCode.insert(code, blocks.size());
                    blocks.append({code, japaneseName(code), {}});
                }
                blocks[*found].characters.append(character);
            }
        }
    }
    std::sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) {
        return a.characters.first() < b.characters.first();
    });
    return blocks;
}

QString CharacterBlocks::characterName(char32_t character) {
    char name[256];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        u_charName(UChar32(character), U_EXTENDED_CHAR_NAME, name, sizeof name, &status);
    if (U_FAILURE(status) || length <= 0)
        return {};
    return QString::fromLatin1(name, length);
}

} // namespace varelith
