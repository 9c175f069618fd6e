#pragma once

// The fixed vocabulary shared by the header report, the element text records,
// the view and the main window: paper sizes, layer-state and protection names,
// the print frame's reference points, the no/yes words, and the translation
// between the text form's "z" flag numbers and prefixes and the elements'
// attribute flag bits.
//
// The tables are filled at construction and only read afterwards: look-ups go
// through LookUp, where an absent key reads as the empty value (empty name,
// size 0, no bit) and the table stays as it is.

#include <map>
#include <string>

class TKDefine {
public:
    TKDefine();

    // Paper code -> name, long side and short side in millimetres.
    std::map<int, std::string> PaperNames;
    std::map<int, double> PaperWidths;
    std::map<int, double> PaperHeights;
    // Group and layer state (0 hidden, 1 display only, 2 editable, 3 write).
    std::map<int, std::string> LayerStateNames;
    std::map<int, std::string> ProtectNames;
    // Reference point of the print frame (the tens digit of the print zoom's
    // code): columns left, centre, right by rows bottom, middle, top.
    std::map<int, std::string> BasePointNames;
    std::map<int, std::string> NoYesNames;
    // Text-form flag number ("z1" to "z5") -> attribute flag bit, per kind.
    std::map<int, int> LineZBits;
    std::map<int, int> ArcPointZBits;
    std::map<int, int> TextZBits;
    // Two-letter text-record prefix <-> attribute flag bit.
    std::map<std::string, int> PrefixBits;
    std::map<int, std::string> BitPrefixes;

private:
    void FillTables();
};

// The value under the key; the empty value when the table has none.
template <typename Map>
const typename Map::mapped_type& LookUp(const Map& table, const typename Map::key_type& key)
{
    static const typename Map::mapped_type empty {};
    const auto entry = table.find(key);
    return entry != table.end() ? entry->second : empty;
}

// The instance that lives for the whole run.
const TKDefine& SharedDefine();
