#pragma once

#include "transaction/entry_variant.h"
#include "transaction/medicine_lookup.h"
#include "transaction/page_storing.h"

#include <QHash>
#include <QWidget>
#include <array>

class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace platform {
class Database;
}

namespace store {
class BoundRecordset;
}

namespace transaction {

class FindListWindow;

/**
 * The order-entry window (`xdjy`, and its not-stored twin by another variant): the customer unit, a page of ten
 * rows looked up in the catalogue, and continue, finish and cancel. It only wires its controls to the operations of
 * this folder; the working set is the program's one workingSet().
 */
class EntryWindow final : public QWidget
{
    Q_OBJECT

public:
    /** A loaded window: the working set is cleared; the unit list is filled one tick after it is first shown. */
    EntryWindow(platform::Database& database, const EntryVariant& variant, QWidget* parent = nullptr);
    ~EntryWindow() override;

    /**
     * Opens the variant's window plainly: creates it when it is not open, otherwise brings the open one to the front
     * with nothing cleared. The window is top-level and deletes itself when closed.
     */
    static EntryWindow* open(platform::Database& database, const EntryVariant& variant);

    const EntryVariant& variant() const { return m_variant; }
    /** The texts of the ten rows as they stand. */
    PageRows rows() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct RowControls
    {
        QLineEdit* name = nullptr;
        QLineEdit* maker = nullptr;
        QLineEdit* quantity = nullptr;
        QLineEdit* price = nullptr;
        QLineEdit* amount = nullptr;
        QLineEdit* spec = nullptr;
        QLineEdit* unit = nullptr;
        QLineEdit* batchNo = nullptr;
        QLineEdit* expiry = nullptr;
        QLineEdit* type = nullptr;
        QLabel* purchasePrice = nullptr;
    };

    /** What a watched control is, for the key filters and the focus events. */
    enum class Role { UnitBox, ChoiceList, Name, Quantity, Price, Expiry };
    struct Watched
    {
        Role role = Role::Name;
        int row = 0;
    };

    void buildHeader();
    void buildRows();
    void buildChoiceList();
    void buildButtons();
    /** Tab order and the Enter chain: the unit box, the rows left to right, the buttons. */
    void chainFocus();
    void watch(QWidget* control, Role role, int row = 0);
    RowControls& rowControls(int r) { return m_rows[static_cast<size_t>(r - 1)]; }
    const RowControls& rowControls(int r) const { return m_rows[static_cast<size_t>(r - 1)]; }
    Line rowTexts(int r) const;
    void showRow(int r, const Line& texts);

    bool dropsKey(const Watched& watched, QKeyEvent* key);
    void gotFocus(const Watched& watched);
    void lostFocus(const Watched& watched);

    void fillUnitList();
    void checkUnit();
    void lookUp(int r);
    void takeChoice();
    /** Fills the row from the medicine taken in the find list, as taking a choice does. */
    void takeFound(int r, const store::Medicine& medicine);
    void hideChoices();
    void setAmount(int r);
    void checkPrice(int r);
    void checkExpiry(int r);
    void refreshTotals();
    /** The line under the rows for row r: what its medicine last sold for to the chosen unit. */
    void showLastSale(int r);
    void refreshSaleSoFar();

    /** A message, after which the window has the keyboard again. */

    /** The unit the clerk picked; empty before a pick. */
    QString chosenUnit() const;
    void saveFile();
    void readFile();
    void continueEntry();
    void finish();
    void cancel();
    void closeAfterFinish();

    platform::Database& m_database;
    EntryVariant m_variant;
    store::BoundRecordset* m_units;
    store::BoundRecordset* m_catalogue;
    store::BoundRecordset* m_unitTable;

    QComboBox* m_unitBox = nullptr;
    std::array<RowControls, rowsPerPage> m_rows;
    QFrame* m_choiceFrame = nullptr;
    QLabel* m_choiceCaption = nullptr;
    QListWidget* m_choiceList = nullptr;
    QListWidget* m_choicePurchasePrices = nullptr;
    QLabel* m_choiceRow = nullptr;
    /** The records behind the choice list, so a choice never depends on splitting its text. */
    QList<store::Medicine> m_choices;
    FindListWindow* m_findList = nullptr;
    QLabel* m_runningTotal = nullptr;
    QLabel* m_lastLine = nullptr;
    QLabel* m_serialHolder = nullptr;
    QLabel* m_lastSale = nullptr;
    /** The name each row was last filled under from the catalogue; empty while the row holds no looked-up medicine. */
    std::array<QString, rowsPerPage> m_filledNames;
    QLabel* m_saleSoFar = nullptr;
    QPushButton* m_continueButton = nullptr;
    QPushButton* m_finishButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_readButton = nullptr;
    QTimer* m_openingTimer;
    QTimer* m_closingTimer;

    QHash<QObject*, Watched> m_watched;
    bool m_opened = false;
    /** From the finish or the close on: the boxes' leave handlers no longer run. */
    bool m_ending = false;
    /** Set while a focus handler runs: focus moves it makes itself do not start other handlers. */
    bool m_handlingFocus = false;
};

} // namespace transaction
