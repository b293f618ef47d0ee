#pragma once
// The board of tables ("收银管理"): every table with its state word, its
// current seating or first reservation time, a statistics panel of counts and
// a detail panel of the clicked table. The selected row of ListView1 is the
// current table that the ordering, checkout and picker windows read:
//   Text          table name          SubItems(5)  diners ("0" without a seating)
//   SubItems(1)   state word          SubItems(6)  open time, or first reservation time
//   SubItems(2)   specification       SubItems(7)  waiter
//   SubItems(3)   table id (hidden)   SubItems(8)  order taker
//   SubItems(4)   type name
#include <QLabel>
#include <functional>
#include "db/Recordset.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Pictures.h"

class FrmSYGL : public Form {
    Q_OBJECT
public:
    FrmSYGL();

    // Board columns, as other windows read them.
    enum Column { ColName = 0, ColState = 1, ColSpec = 2, ColTableId = 3, ColType = 4,
                  ColDiners = 5, ColOpenTime = 6, ColWaiter = 7, ColOrderTaker = 8 };

    // Picture indexes of the state words in ImageList4 and ImageList5.
    enum Picture { PicFree = 1, PicReserved = 2, PicInUse = 3, PicSettled = 4,
                   PicContinued = 5, PicDisabled = 6 };

    // The picture index of a state word (0 for an unknown word).
    static int statePicture(const QString& word);

    Toolbar* Toolbar1;
    ListView* ListView1;   // the board
    ListView* ListView4;   // statistics panel
    ListView* ListView2;   // detail panel of the clicked table
    QLabel* Image1;        // background picture behind the lists
    ImageList ImageList1{32};   // toolbar faces
    ImageList ImageList4{16};   // small state marks
    ImageList ImageList5{60};   // large state tiles

    void Form_Load() override;

    void ListView1Init();
    // Rebuilds the board rows and the counters, then the statistics panel,
    // and the detail panel for the row the reload selects. Works also while
    // the board is not on screen; the selection is not kept.
    void ListView1Detail();
    void ListView4Init();
    void ListView4Detail();
    void ListView2Init();
    // Describes the selected table; empty without a selected row.
    void ListView2Detail();

    void ListView1_Click();
    void ListView1_DblClick();
    void Toolbar1_ButtonClick(int index);
    // Clears the current table: frees it and closes its seating.
    void ClearTable();

    // The current table's cell, empty when the board has no selected row.
    QString current(int column) const;

    // A stored date-time as the board shows it in its open-time column (the
    // one text form; a value that is no date-time as it was stored).
    static QString openTimeText(const QVariant& value);
    // Re-reads, inside the caller's write transaction, a table and its
    // current seating that the board showed with the given state word and
    // open time. Throws DbError Changed when either is no longer so: another
    // till acted on the table since the board was read.
    static void recheckTable(const QString& tableId, const QString& word, const QString& openTime, Recordset& table,
                             Recordset& seating);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPictures();
    void showNoTables();
    void showSelectedTable();
    // Shows a window the board opens; when it returns, the detail panel is
    // read again for the selected table.
    void showOver(const std::function<void()>& show);

    struct Counters {
        int total = 0, free = 0, reserved = 0, inUse = 0, settled = 0,
            continued = 0, disabled = 0;
        double guests = 0;
    } m_count;
    bool m_loaded = false;
    bool m_everShown = false;
    bool m_preparedHidden = false;
    bool m_reloading = false;
};
