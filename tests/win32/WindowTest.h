// What the window tests share: a skip where no window can be made (Wine without an X display),
// and reading controls back.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace pelliton::win32::test {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
        if (probe == nullptr) GTEST_SKIP() << "no window can be made here (under Wine: DISPLAY is not set)";
        DestroyWindow(probe);
    }
};

inline std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct Place {
    int left;
    int top;
    int width;
    int height;
    bool operator==(const Place&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Place& place) {
    return out << place.left << "," << place.top << " " << place.width << "x" << place.height;
}

// Where a control stands in its parent's client area.
inline Place PlaceOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// A window of this thread with that class and owner (null: none), such as a tooltip control or a
// common dialog; null when there is none.
inline HWND FindThreadWindow(const wchar_t* className, HWND owner) {
    struct Search {
        std::wstring className;
        HWND owner;
        HWND found;
    } search{className, owner, nullptr};
    struct Match {
        static BOOL CALLBACK Visit(HWND candidate, LPARAM data) {
            auto& wanted = *reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            GetClassNameW(candidate, name, static_cast<int>(std::size(name)));
            if (name != wanted.className || GetWindow(candidate, GW_OWNER) != wanted.owner) return TRUE;
            wanted.found = candidate;
            return FALSE;
        }
    };
    EnumThreadWindows(GetCurrentThreadId(), Match::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

}  // namespace pelliton::win32::test
