#include "client/ansi_code_page.h"

#include <atomic>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <memory>
#include <mutex>

namespace {

// Converts one byte with an open iconv descriptor. A byte the page leaves
// undefined comes back as the C1 control of the same number, as the
// platform's own conversion does, so every byte survives a round trip.
bool ByteToUnicode(iconv_t cd, unsigned char byte, char16_t& unit, bool& multiByte)
{
    char in = static_cast<char>(byte);
    char16_t out[4] = {};
    char* inPtr = &in;
    size_t inLeft = 1;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    if (rc == static_cast<size_t>(-1)) {
        if (errno == EINVAL) {
            multiByte = true; // a lead byte waiting for more
            return false;
        }
        unit = byte; // undefined in this page
        return true;
    }
    const size_t units = (sizeof out - outLeft) / sizeof(char16_t);
    if (units != 1)
        return false;
    unit = out[0];
    return true;
}

std::unique_ptr<AnsiCodePage> BuildPage(int number, QString& error)
{
    const QByteArray name = "CP" + QByteArray::number(number);
    iconv_t cd = iconv_open("UTF-16LE", name.constData());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        error = QStringLiteral("Nieznana strona kodowa %1").arg(number);
        return nullptr;
    }
    auto page = std::make_unique<AnsiCodePage>();
    page->number = number;
    page->fromUnicode.fill(AnsiCodePage::kNoByte);
    bool ok = true;
    for (int b = 255; b >= 0 && ok; --b) {
        bool multiByte = false;
        char16_t unit = 0;
        ok = ByteToUnicode(cd, static_cast<unsigned char>(b), unit, multiByte) &&
             (b >= 128 || unit == b);
        page->toUnicode[static_cast<size_t>(b)] = unit;
        // Walking downwards lets the lowest byte win where two bytes share a
        // character, which keeps ASCII bytes for ASCII characters.
        page->fromUnicode[unit] = static_cast<std::int16_t>(b);
    }
    iconv_close(cd);
    if (!ok) {
        error = QStringLiteral("Strona kodowa %1 nie jest jednobajtową stroną zgodną z ASCII")
                    .arg(number);
        return nullptr;
    }
    return page;
}

std::mutex g_pagesLock;
std::map<int, std::unique_ptr<AnsiCodePage>> g_pages; // built pages, kept for the process
std::atomic<const AnsiCodePage*> g_current{nullptr};

const AnsiCodePage* PageFor(int number, QString& error)
{
    std::lock_guard<std::mutex> lock(g_pagesLock);
    auto found = g_pages.find(number);
    if (found != g_pages.end())
        return found->second.get();
    std::unique_ptr<AnsiCodePage> page = BuildPage(number, error);
    if (!page)
        return nullptr;
    return g_pages.emplace(number, std::move(page)).first->second.get();
}

} // namespace

const AnsiCodePage& CurrentAnsiCodePage()
{
    const AnsiCodePage* page = g_current.load(std::memory_order_acquire);
    if (page)
        return *page;
    QString error;
    page = PageFor(kDefaultAnsiCodePage, error);
    if (!page)
        qFatal("iconv does not know windows-1250");
    const AnsiCodePage* expected = nullptr;
    g_current.compare_exchange_strong(expected, page, std::memory_order_acq_rel);
    return *g_current.load(std::memory_order_acquire);
}

QString SelectAnsiCodePage(int number)
{
    QString error;
    const AnsiCodePage* page = PageFor(number, error);
    if (page)
        g_current.store(page, std::memory_order_release);
    return error;
}

QString DecodeCodePage(const QByteArray& bytes)
{
    const AnsiCodePage& page = CurrentAnsiCodePage();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = page.toUnicode[static_cast<unsigned char>(bytes[i])];
    return text;
}

bool EncodeCodePage(QStringView text, QByteArray& out)
{
    const AnsiCodePage& page = CurrentAnsiCodePage();
    out.resize(text.size());
    char* bytes = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const std::int16_t b = page.fromUnicode[text[i].unicode()];
        if (b == AnsiCodePage::kNoByte)
            return false;
        bytes[i] = static_cast<char>(b);
    }
    return true;
}
