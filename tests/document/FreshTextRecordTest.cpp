// One element's record in the text form, written against a fresh running
// state: the whole record whatever was written before, and the document's
// own running state untouched.

#include "document/ZhdData.h"

#include "elements/ZhdElem.h"
#include "tests/document/DrawingFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// What the writers compare with and count: GStatus's attribute lines, its
// curve group, flags and scale, and the line index.
std::string RunningState(TZhdData& document)
{
    std::string text;
    for (const char* key : { "lg", "ly", "lc", "lt", "lw", "cn", "cn$" })
        text += document.FormatDirective(key) + "|";
    const TStatusZHG& state = document.GetGStatusPtr();
    return text + std::to_string(state.GetPlGroup()) + "|" + std::to_string(state.GetFlg().GetValue()) + "|"
        + std::to_string(state.GetScale()) + "|" + std::to_string(document.GetHeaderLineCount());
}

// The element section of the text file of a document that holds only
// `elem`: the lines the file with it has and the file without it has not.
StringList ElementSectionAlone(const TZhdData& document, const TZhdElemPtr& elem)
{
    TZhdData alone(document);
    alone.GetElemListPtr().Clear();
    StringList without;
    alone.WriteZhcText(without);
    alone.GetElemListPtr().Append(elem);
    StringList with;
    alone.WriteZhcText(with);
    const auto first_new = std::mismatch(without.begin(), without.end(), with.begin()).second;
    return StringList(first_new, first_new + static_cast<std::ptrdiff_t>(with.size() - without.size()));
}

} // namespace

TEST(FreshTextRecord, IsTheElementSectionOfAFileHoldingTheElementAlone)
{
    TZhdData document = SampleDrawing(600);
    ASSERT_GE(document.GetElemListPtr().Size(), 7);
    for (int i = 0; i < document.GetElemListPtr().Size(); ++i) {
        const TZhdElemPtr elem = document.GetElemListPtr().GetAt(i);
        StringList lines;
        document.WriteFreshTextRecord(*elem, lines);
        EXPECT_EQ(lines, ElementSectionAlone(document, elem)) << "element " << i << " " << elem->GetTypeName();
    }
}

TEST(FreshTextRecord, IsWholeAfterOtherRecordsAndLeavesTheRunningStateAlone)
{
    TZhdData document = SampleDrawing(600);
    const TZhdElemPtr last = document.GetElemListPtr().Back();
    StringList first;
    document.WriteFreshTextRecord(*last, first);

    // A whole file leaves the running state where its last element put it:
    // written against that state, the element's attribute lines are missing.
    StringList file;
    document.WriteZhcText(file);
    const std::string state_after_file = RunningState(document);
    StringList against_running_state;
    last->WriteTextRecord(against_running_state, document);
    ASSERT_LT(against_running_state.size(), first.size());

    document.WriteZhcText(file);
    StringList again;
    document.WriteFreshTextRecord(*last, again);
    EXPECT_EQ(again, first);
    EXPECT_EQ(RunningState(document), state_after_file);
}
