#include "objectstore/db_exception.h"

namespace brumalis {

std::string CTDbException::TextFor(int nCode, const std::string& szExtra) {
    switch (nCode) {
        case excRecNotFound: return "Record not found";
        case excRecNotInDB: return "Record not stored in database";
        case excRecAlreadyInDB: return "The record is already inserted into the database";
        case excRelRequired: return "Related record required in table " + szExtra;
        case excOneToOne: return "1-to-1 relation with table " + szExtra;
        case excDbStructure: return "Error in database structure ";
        case excTypeError: return "Invalid type conversion";
        case excCapable: return "Database has the capability '" + szExtra + "'";
        case excNotCapable: return "Database does not have the capability '" + szExtra + "'";
        case excIsAbstract: return "Cannot make instance of abstract table '" + szExtra + "'";
        case excNoEngines: return "There are no registed CTDbEngine classes";
        case excReadOnly: return "Database table '" + szExtra + "' is read-only";
        case excIDUsed: return "ID " + szExtra + " is already used";
        default: return "Unknown exception code " + std::to_string(nCode);
    }
}

CTDbException::CTDbException(int nCode, const std::string& szExtra)
    : std::runtime_error("CTDbException: " + TextFor(nCode, szExtra)), v_code(nCode) {}

void CTDbException::RaiseExc(int nCode, const std::string& szExtra) { throw CTDbException(nCode, szExtra); }

std::string CapabilityString(int nCap) {
    switch (nCap) {
        case dbcSelectByExample: return "Select by example";
        case dbcSelectLikeExample: return "Select like example";
        case dbcRemoveByExample: return "Remove by example";
        case dbcInheritance: return "Inheritance";
        case dbcUndo: return "Undo";
        case dbcRedo: return "Redo";
        case dbcSort: return "Sort";
        case dbcLiveData: return "Live data";
        case dbcInsertWithID: return "Insert with ID";
        default: return "*** Unknown CTDbEngine capability ***";
    }
}

}  // namespace brumalis
