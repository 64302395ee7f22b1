#include "gearpair/catalogue/cataloguerecord.h"

#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "xbase/access/tableaccess.h"

std::string CatalogueNumberFault(const std::string& Table, const std::vector<int>& Fields)
{
    for (const int n : Fields) {
        // The text the file holds: the field's text as the table layer hands
        // it out is printed from the number read, "0.000" for "abc".
        const TDbfStoredField field = DbfStoredField(n);
        Extended value = 0;
        // The reader of the field texts the pick takes its numbers with
        // (DbfFieldFloat): "." or the first "," as the decimal mark, and a
        // blank field 0.
        if (field.Type == 0 || ReadFieldFloat(field.Text, value)) continue;
        // Name and text as the file holds them, but for their control bytes,
        // so that the message stays one line.
        return ControlBytesShown(UpperCaseText(Table) + " record " + std::to_string(DbfRecNo()) + " field " +
                                 field.Name + ": \"" + TrimBlanks(field.Text) + "\" is no number");
    }
    return {};
}

void RefuseCatalogueRecord(const std::string& Fault, const std::string& Table)
{
    telmvar.Aborted = true;
    const std::string stem = Table.substr(0, Table.rfind('.'));
    // The words of the message help of these faults, which a batch run's
    // message list shows.
    const std::string box = Fault + ". Nothing of the record was taken.\n" +
                            "Type the number into that field (Database menu), or get the shipped table back: "
                            "delete " +
                            Table +
                            " in data/ beside the program and build again (./run.sh), which makes it "
                            "from data/tables/" +
                            stem + ".csv; copy it to a DBF Directory of qyr7.cfg.";
    if (!ShowErrorBoxIfEnabled(box)) AddErrorMessage(Fault);
}
