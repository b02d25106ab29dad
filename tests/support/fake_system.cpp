#include "fake_system.h"

FakeSystem::FakeSystem() : before_(platform::SetSystem(this)) {}

FakeSystem::~FakeSystem()
{
    platform::SetSystem(before_);
}

bool FakeSystem::OpenDocument(std::string_view cp932NameOrUrl)
{
    opened.emplace_back(cp932NameOrUrl);
    return true;
}

void FakeSystem::SetClipboardText(std::string_view cp932)
{
    clipboard = cp932;
}

std::string FakeSystem::ClipboardText()
{
    return clipboard;
}

int FakeSystem::ColorTableSize(const QWidget&)
{
    return colorTableSize;
}

std::int64_t FakeSystem::TickCount()
{
    return tickCount;
}
