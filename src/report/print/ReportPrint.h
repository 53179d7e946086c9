#pragma once
// Printing a report: the page setup kept in the INI section "PageSettings"
// (margins, orientation, paper size and where page numbers go) and the
// painting of an HTML report page by page on a printer or a PDF file, with the
// page number in the header or footer. Used by the report window and by
// `quantorix-cli task --pdf`; needs QtGui, never QtWidgets.

#include <QPageLayout>
#include <QString>

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

class IniProfile;
class QPagedPaintDevice;
class QTextDocument;

struct PageSettings
{
    static constexpr std::string_view kSection = "PageSettings";
    enum Position : int { Top = 0, Bottom = 1 };
    enum Align : int { Left = 0, Center = 1, Right = 2 };
    // The eight page-setup values, in their stored order.
    enum Value : int { Header = 0, Footer, MarginBottom, MarginLeft, MarginRight, MarginTop, Orientation, PaperSize };
    static constexpr std::array<std::string_view, 8> kKeys = {"header",      "footer",       "margin_bottom",
                                                              "margin_left", "margin_right", "margin_top",
                                                              "orientation", "paper_size"};

    bool pageNumbers = false; // "PageNo"
    int position = Bottom;    // "PagePos"
    int align = Right;        // "PageAlign"
    // Margins in inches, orientation 1 portrait / 2 landscape, paper size as a
    // paper code (9 A4, 1 Letter, ...).
    std::array<std::string, 8> values = {"", "", "0.5", "0.5", "0.5", "0.5", "1", "9"};

    static PageSettings load(const IniProfile& ini);
    // Stores the page numbers and the six layout values; "header" and "footer"
    // are only ever read.
    bool save(IniProfile& ini) const;

    // Header and footer become the page-number code of the choice ("&p" left,
    // "&b&p&b" center, "&b&p" right) or empty.
    void applyPageNumbers();

    QPageLayout pageLayout() const;
    // Takes the margins, orientation and paper size of a layout chosen in a
    // page-setup dialog.
    void setPageLayout(const QPageLayout& layout);
};

// The codes of paper sizes and the page sizes they stand for (unknown codes: A4).
QPageSize pageSizeOfCode(int code);
int codeOfPageSize(const QPageSize& size);

// Paints `document` page by page on `device` (which is not yet painted on),
// the page number of each page where `settings` put it; false when the device
// cannot be painted on.
bool printDocument(QTextDocument& document, QPagedPaintDevice& device, const PageSettings& settings);

// A report file's text: the bytes decoded as the HTML's own charset says, else
// as Windows-1252, the report's own encoding.
QString reportHtml(const QByteArray& bytes);

// Writes `document` as the PDF file `pdf` (through a temporary file) with the
// page setup of `settings`; false when it cannot be written.
bool writeDocumentPdf(QTextDocument& document, const std::filesystem::path& pdf, const PageSettings& settings);

// Writes the report file `html` as the PDF file `pdf` with the page setup of
// `settings`; false when the report cannot be read or the PDF not written.
bool writeReportPdf(const std::filesystem::path& html, const std::filesystem::path& pdf, const PageSettings& settings);
