#pragma once

#include "printing/report_layout.h"

// A short layout that uses every band kind and every item kind of the report engine: the model
// for the plant's printed layouts. Rows: fio, nom, naimen, vid, kolvo, summa.
printing::Layout exampleLayout(const QString& title);
