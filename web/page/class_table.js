// The class table: a row a graded page, in the order the scans were given, from the CSV
// rows the core wrote (the CSV is the one record of what was read).
class ClassTable {
  constructor(table) {
    this.table = table;
    this.header = '';
    this.columns = new Map();
    this.rowsByScan = []; // CSV text of each scan's pages, or null while not graded
    this.fieldsByScan = []; // the same rows, read once
    this.failures = [];
  }

  Start(header, scanCount) {
    this.header = header;
    this.columns = new Map(ParseCsv(header)[0].map((name, i) => [name, i]));
    this.rowsByScan = new Array(scanCount).fill(null);
    this.fieldsByScan = new Array(scanCount).fill(null);
    this.failures = new Array(scanCount).fill('');
    this.Render();
  }

  SetGraded(index, rows, failure) {
    this.rowsByScan[index] = rows;
    this.fieldsByScan[index] = ParseCsv(rows);
    this.failures[index] = failure;
  }

  // The CSV of every page graded so far, in the scans' order, as vantrel-grade writes it.
  CsvText() {
    return this.header + this.rowsByScan.filter((rows) => rows !== null).join('');
  }

  HasRows() {
    return this.rowsByScan.some((rows) => rows);
  }

  Render() {
    const head = this.table.tHead;
    head.replaceChildren(this.Row('th', Say('columns')));
    const body = this.table.tBodies[0];
    const rows = [];
    const field = (fields, name) => fields[this.columns.get(name)] ?? '';
    this.fieldsByScan.forEach((records, index) => {
      if (this.failures[index]) {
        const row = this.Row('td', [this.failures[index]], 'refused');
        row.cells[0].colSpan = kTexts[gLanguage].columns.length;
        rows.push(row);
      }
      for (const fields of records ?? []) {
        const status = field(fields, 'status');
        const review = field(fields, 'review');
        const row = this.Row('td', [field(fields, 'file'), field(fields, 'examinee_id'), field(fields, 'correct'),
          field(fields, 'wrong'), field(fields, 'error'), kTexts[gLanguage].status[status] ?? status, review],
        review ? `${status} doubtful` : status);
        for (const cell of Array.from(row.cells).slice(1, 5))
          cell.className = 'number';
        rows.push(row);
      }
    });
    body.replaceChildren(...rows);
  }

  Row(cellTag, values, className) {
    const row = document.createElement('tr');
    if (className)
      row.className = className;
    for (const value of values) {
      const cell = document.createElement(cellTag);
      cell.textContent = value;
      row.appendChild(cell);
    }
    return row;
  }
}
