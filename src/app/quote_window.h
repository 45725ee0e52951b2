#pragma once
// The quote window (Tools > Quote): the job's quote by part type with its totals, what it was
// made from, the comparison of the engines' layouts, the margin and how material is shared. Copy
// puts it on the clipboard for a spreadsheet, Save as CSV writes it, Print prints it.
#include <QDialog>
#include <functional>
#include <string>

#include "quote/job_quote.h"
#include "ui/dialog_service.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPagedPaintDevice;
class QPushButton;
class QTableWidget;

namespace dravenor {

inline constexpr const char* kQuoteWindowTitle = "Quote";

class QuoteWindow : public QDialog {
    Q_OBJECT
public:
    // Quotes the job again with other options (how material is shared), without recording it.
    using Requote = std::function<quote::JobQuote(const quote::QuoteOptions&)>;
    // `made` must hold a quote; `csvName` is the file name Save as CSV proposes.
    QuoteWindow(DialogService& dialogs, quote::JobQuote made, Requote requote, std::string csvName,
                QWidget* parent = nullptr);

    const quote::Quote& quote() const { return *made_.result.quote; }
    QTableWidget* table() const { return table_; }
    QDoubleSpinBox* marginBox() const { return margin_; }
    QComboBox* shareBox() const { return share_; }

    // Puts the summary and the part table on the clipboard; returns the text.
    std::string copyQuote();
    // Writes the CSV to the path; a failure is told and leaves no partial file. Returns success.
    bool saveCsv(const std::string& path);
    void saveCsvWithDialog();
    void printWithDialog();
    // The quote's lines, paginated with the page header, onto the device.
    void printTo(QPagedPaintDevice& device) const;

private:
    void buildWidgets();
    void fill();
    void marginChanged(double percent);
    void shareChanged(int index);

    DialogService& dialogs_;
    quote::JobQuote made_;
    Requote requote_;
    std::string csvName_;

    QLabel* summary_ = nullptr;
    QLabel* whatIf_ = nullptr;
    QTableWidget* table_ = nullptr;
    QDoubleSpinBox* margin_ = nullptr;
    QComboBox* share_ = nullptr;
};

} // namespace dravenor
