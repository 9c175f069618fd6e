#include "core/CountString.h"

std::string TCountString::SetText(std::string text)
{
    text_ = std::move(text);
    count_ = 1;
    return text_;
}

TCountString& TCountString::Assign(const TCountString& other)
{
    *this = other;
    return *this;
}

void TCountString::Clear()
{
    text_.clear();
    count_ = 0;
}

int TCountString::AddRef()
{
    if (count_ > 0)
        ++count_;
    return count_;
}

int TCountString::Release()
{
    if (count_ == 1)
        text_.clear();
    return --count_;
}
