#pragma once

// A page of the main window's page area as the feature that installed it
// knows it: given back to the frame to show the page or to ask whether it is
// up. A default handle names no page.
class PageHandle
{
public:
    PageHandle() = default;
    explicit PageHandle(int serial) : m_serial(serial) {}

    bool isValid() const { return m_serial >= 0; }
    // The frame's own number for the page.
    int serial() const { return m_serial; }

    friend bool operator==(PageHandle, PageHandle) = default;

private:
    int m_serial = -1;
};
