#pragma once
// A small demo factory on top of the base data: company particulars and a clerk whose rights
// leave out administration. Later subsystems add their demo rows here.

namespace db {
class Connection;
}

namespace demo {

void fill(db::Connection& connection);

}  // namespace demo
