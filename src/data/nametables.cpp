#include "nametables.h"

namespace bellarune {

void NameTables::InitTables()
{
    QuestionTypeNames = {"Name",
                         "Dates for person",
                         "Dates for event",
                         "Who was?",
                         "Describe event?",
                         "Event based on desc",
                         "What happened on?",
                         "Which battle did these commanders fight?",
                         "People by date",
                         "Battles by date",
                         "Events by date",
                         "Match commanders and battles",
                         "Match battle and campaign",
                         "Match nicknames, sayings",
                         "Match battles and states",
                         "Match portraits to names",
                         "Name me",
                         ""};
    ItemTypeNames = {"Officer", "Battle", "Other Event", "Other person", ""};
    SideNames = {"USA", "CSA", ""};
    StateNames = {"none",     "Alabama",      "Virginia",  "Mississippi", "South Carolina",  "North Carolina",
                  "Georgia",  "Pennsylvania", "Maryland",  "Tennessee",   "Texas",           "Arkansas",
                  "Missouri", "Florida",      "Louisiana", "Kentucky",    "Kansas-Nebraska", ""};
    StateImageFiles = {"",       "Al.jpg", "Va.jpg", "Ms.jpg", "SC.jpg",    "NC.jpg",
                       "Ga.jpg", "Pa.jpg", "Md.jpg", "Tn.jpg", "Tx.jpg",    "Ar.jpg",
                       "Mo.jpg", "Fl.jpg", "La.jpg", "Ky.jpg", "Ks-nb.jpg", ""};
}

}  // namespace bellarune
