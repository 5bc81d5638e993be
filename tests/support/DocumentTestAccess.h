#pragma once

#include "project/CQORVADoc.h"

// Tests set up and inspect a document's project directly, as a file the
// document opened would have left it.
struct DocumentTestAccess {
    static CIDG& model(CQORVADoc& document) { return document.m_idg; }
};
