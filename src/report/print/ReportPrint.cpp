#include "report/print/ReportPrint.h"

#include "core/Cp1252.h"
#include "core/IniProfile.h"
#include "core/InputFile.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStringConverter>
#include <QStringDecoder>
#include <QTextDocument>
#include <QUrl>

namespace {

constexpr std::string_view kPageNo = "PageNo";
constexpr std::string_view kPagePos = "PagePos";
constexpr std::string_view kPageAlign = "PageAlign";

// A PDF is made of reports a window can show; larger ones are refused.
constexpr std::uint64_t kPdfSourceLimit = 256ull << 20;

double inches(const std::string& text, double fallback)
{
    bool ok = false;
    const double value = QString::fromStdString(text).trimmed().toDouble(&ok);
    return ok && value >= 0.0 && value < 100.0 ? value : fallback;
}

std::string inchText(double value) { return QString::number(value, 'g', 4).toStdString(); }

} // namespace

PageSettings PageSettings::load(const IniProfile& ini)
{
    PageSettings settings;
    settings.pageNumbers = ini.readInt(kSection, kPageNo, 0) != 0;
    const int position = ini.readInt(kSection, kPagePos, Bottom);
    settings.position = position == Top ? Top : Bottom;
    const int align = ini.readInt(kSection, kPageAlign, Right);
    settings.align = align >= Left && align <= Right ? align : Right;
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        settings.values[i] = ini.readString(kSection, kKeys[i], settings.values[i]).substr(0, 127);
    return settings;
}

bool PageSettings::save(IniProfile& ini) const
{
    bool ok = ini.writeInt(kSection, kPageNo, pageNumbers ? 1 : 0);
    ok = ini.writeInt(kSection, kPagePos, position) && ok;
    ok = ini.writeInt(kSection, kPageAlign, align) && ok;
    for (std::size_t i = MarginBottom; i < kKeys.size(); ++i)
        ok = ini.writeString(kSection, kKeys[i], values[i]) && ok;
    return ok;
}

void PageSettings::applyPageNumbers()
{
    static constexpr std::array<std::string_view, 3> codes = {"&p", "&b&p&b", "&b&p"};
    values[Header].clear();
    values[Footer].clear();
    if (pageNumbers)
        values[position == Top ? Header : Footer] = std::string(codes[static_cast<std::size_t>(align)]);
}

QPageSize pageSizeOfCode(int code)
{
    const QPageSize::PageSizeId id = QPageSize::id(code);
    return QPageSize(id == QPageSize::Custom ? QPageSize::A4 : id);
}

int codeOfPageSize(const QPageSize& size)
{
    const int code = size.windowsId();
    return code > 0 ? code : 9;
}

QPageLayout PageSettings::pageLayout() const
{
    const QPageSize size = pageSizeOfCode(QString::fromStdString(values[PaperSize]).toInt());
    const QPageLayout::Orientation orientation = values[Orientation] == "2" ? QPageLayout::Landscape
                                                                            : QPageLayout::Portrait;
    const QMarginsF margins(inches(values[MarginLeft], 0.5), inches(values[MarginTop], 0.5),
                            inches(values[MarginRight], 0.5), inches(values[MarginBottom], 0.5));
    QPageLayout layout(size, orientation, QMarginsF(), QPageLayout::Inch);
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(margins);
    return layout;
}

void PageSettings::setPageLayout(const QPageLayout& layout)
{
    const QMarginsF margins = layout.margins(QPageLayout::Inch);
    values[MarginLeft] = inchText(margins.left());
    values[MarginTop] = inchText(margins.top());
    values[MarginRight] = inchText(margins.right());
    values[MarginBottom] = inchText(margins.bottom());
    values[Orientation] = std::to_string(layout.orientation() == QPageLayout::Landscape ? 2 : 1);
    values[PaperSize] = std::to_string(codeOfPageSize(layout.pageSize()));
}

bool printDocument(QTextDocument& document, QPagedPaintDevice& device, const PageSettings& settings)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int dpi = device.logicalDpiY();
    const QSizeF area = device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
    QFont numberFont(QStringLiteral("Sans Serif"));
    numberFont.setPointSizeF(9.0);
    const QFontMetricsF metrics(numberFont, &device);
    const double band = settings.pageNumbers ? metrics.height() * 2.0 : 0.0;
    const double bodyHeight = std::max(area.height() - band, static_cast<double>(dpi));

    document.documentLayout()->setPaintDevice(&device);
    document.setPageSize(QSizeF(area.width(), bodyHeight));
    const int pages = std::max(document.pageCount(), 1);
    const double bodyTop = settings.pageNumbers && settings.position == PageSettings::Top ? band : 0.0;
    const Qt::Alignment alignment = settings.align == PageSettings::Left     ? Qt::AlignLeft
                                    : settings.align == PageSettings::Center ? Qt::AlignHCenter
                                                                             : Qt::AlignRight;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        painter.save();
        painter.translate(0.0, bodyTop - page * bodyHeight);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0.0, page * bodyHeight, area.width(), bodyHeight);
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        if (settings.pageNumbers) {
            painter.setFont(numberFont);
            painter.setPen(Qt::black);
            const double top = settings.position == PageSettings::Top ? 0.0 : area.height() - band;
            painter.drawText(QRectF(0.0, top, area.width(), band), alignment | Qt::AlignVCenter,
                             QString::number(page + 1));
        }
    }
    return painter.end();
}

QString reportHtml(const QByteArray& bytes)
{
    const std::optional<QStringConverter::Encoding> encoding = QStringConverter::encodingForHtml(bytes);
    if (encoding && *encoding != QStringConverter::Latin1 && *encoding != QStringConverter::System) {
        QStringDecoder decoder(*encoding);
        return decoder.decode(bytes);
    }
    return cp1252::toQString(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool writeReportPdf(const std::filesystem::path& html, const std::filesystem::path& pdf, const PageSettings& settings)
{
    const std::optional<std::string> bytes = readRegularFile(html, kPdfSourceLimit);
    if (!bytes)
        return false;
    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QString::fromStdString(html.parent_path().string()) + QLatin1Char('/')));
    document.setHtml(reportHtml(QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()))));
    return writeDocumentPdf(document, pdf, settings);
}

bool writeDocumentPdf(QTextDocument& document, const std::filesystem::path& pdf, const PageSettings& settings)
{
    QSaveFile file(QString::fromStdString(pdf.string()));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setPageLayout(settings.pageLayout());
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        if (!printDocument(document, writer, settings)) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}
