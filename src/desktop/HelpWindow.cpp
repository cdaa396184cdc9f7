// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/HelpWindow.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "desktop/AboutDialog.h"
#include "desktop/AppTexts.h"
#include "desktop/ProgramIcon.h"
#include "desktop/Prompts.h"
#include "desktop/StandardButtons.h"

QString HelpText(const QString& discardListPath) {
  QString text = QStringLiteral(R"(
<h2>Kelconv Conversion Utility</h2>
<p>Kelconv reads the bill-of-material table of a drawing, saved as a text
dump of its texts (<tt>.orb</tt>), as an ASCII DXF file or as a PDF with
real text, rebuilds the table from where the texts stand, and writes every row as one line of a KEL file (<tt>.kel</tt>), or
exports the rows as text with fields separated by <tt>~</tt>. How to read one
family of drawings is held in a configuration file (<tt>.cfg</tt>).</p>

<h3>Fields</h3>
<dl>
<dt><b>Input File</b></dt>
<dd>The drawing to convert, or a pattern such as
<tt>/jobs/1234/*.orb</tt>: <tt>*</tt> stands for any run of characters and
<tt>?</tt> for any one character, in the last part of the path only. Several
files and patterns may be given, separated by <tt>;</tt>; choosing several
files with <b>Browse...</b> fills in their paths so, each in double quotes.
Convert and Export run once for every file, the files of a pattern in name
order; Display and Preview show the first file. The kind of a file comes
from its content. Every page of a PDF is a drawing of its own, converted
after the one before as the files of a pattern are; Preview and Display ask
which page to show. Binary DXF and DWG files must be saved as ASCII DXF
first; a PDF whose letters are drawn as lines holds no text to read.</dd>
<dt><b>Output File</b></dt>
<dd>The KEL or export file to write. When it exists already, the first file
of a run asks whether to overwrite it or append to it; every further file of
the run is appended.</dd>
<dt><b>Config File</b></dt>
<dd>The configuration to use.</dd>
<dt><b>Invert X-Axis</b>, <b>Invert Y-Axis</b></dt>
<dd>Mirror the picture of <b>Display</b> left to right or upside down.
They do not change conversions: when a table does not fit as read, the
conversion tries it once more read from the bottom upwards.</dd>
</dl>

<p>The fields and the two check boxes are kept as they are when the dialog
is closed, and come back at the next start. Escape does not close the
dialog; <b>Exit</b> does.</p>
<p><b>Recent files:</b> the button at the right end of Input File and of
Config File (or Alt+Down in the field) lists the last 8 input patterns and
the last 8 configuration files used by an action; choosing one puts it in the
field.</p>
<p><b>Drag and drop:</b> drawings (<tt>.orb</tt>, <tt>.dxf</tt>,
<tt>.pdf</tt>) dropped on the dialog go to Input File (several of them as a
list of quoted paths, as <b>Browse...</b> makes it), a <tt>.cfg</tt> file to
Config File.</p>

<h3>Buttons</h3>
<dl>
<dt><b>Browse...</b></dt><dd>Choose the file of the field on its left. The
chooser opens in the folder of the field's path, else in the folder it was
last used in. For an empty Output File it suggests the input's name with
<tt>.kel</tt> (<tt>.txt</tt> after an Export) in the input's folder.</dd>
<dt><b>Display</b></dt>
<dd>Shows the texts of the input file where they stand on the drawing, in
the window "Orb File", so that the layout of the table can be checked. No
configuration is used. The mouse wheel zooms in and out around the pointer,
and so do Ctrl+plus and Ctrl+minus around the middle; zooming moves the texts
apart while they keep their size, so that the rows of a large drawing can be
read one by one. Drag the picture with the mouse to move it. Home, a
double-click or <b>Fit</b> show the whole drawing again. Texts too close
together to be told apart are drawn as dots until you zoom in.</dd>
<dt><b>Preview</b></dt>
<dd>Shows the KEL text that Convert would write for the first file that
matches the input, without writing anything. The text may be edited and
saved with <b>Save</b>, which asks before it replaces a file; closing the
preview after an edit that was not saved asks whether to discard it.</dd>
<dt><b>Edit...</b></dt>
<dd>Edits the configuration named in Config File; a file that does not exist
yet starts from the default settings and is created by OK.</dd>
<dt><b>Convert</b></dt>
<dd>Writes a KEL file from every matching input file.</dd>
<dt><b>Export</b></dt>
<dd>Writes the rows of every matching input file as text with fields
separated by <tt>~</tt>, after asking whether to place column headers in
the file: never, only once, or before each drawing.</dd>
<dt><b>Exit</b></dt><dd>Ends the program.</dd>
</dl>
<p>With several input files a progress window shows which file is being
converted; its Cancel stops the run before the next file.</p>

<h3>Messages</h3>
<p>A message with the information icon means success; the warning icon
means that something was not done, the error icon that nothing was.</p>
<ul>
<li><i>File(s) Successfully Converted</i> (or <i>Exported</i>): every file
was written.</li>
<li><i>2 of 3 files converted; 1 skipped: the configuration does not
apply.</i>: not every file was written; the others were skipped,
<i>failed</i>, or <i>not converted after a failure</i>. A failure of the
output or the configuration ends the run; so does a file that cannot be
read, except that Export goes on with the next pattern. After Cancel in the
progress window the message begins with <i>Cancelled:</i>.</li>
<li><i>No input files matched the wildcard.</i>: a pattern matched no file;
nothing was converted.</li>
<li><i>Unable to open "in.orb": No such file or directory</i>: an input file
that cannot be read, and why.</li>
<li><i>Please specify a valid config file. "my.cfg": ...</i>: the
configuration cannot be read (and why), is empty, or is damaged (and where
it ends).</li>
<li><i>Configuration Does Not Apply to Input File "in.orb" ...</i>: no mark,
quantity and material column matched; the file is skipped.</li>
<li><i>Unable to process "in.orb": cannot write "out.kel": ...</i>: the
output file could not be written, and why.</li>
<li><i>Please specify a valid input file.</i>: Preview or Display found no
file, or cannot read it (the file and the reason follow).</li>
</ul>
<p>The <b>Details...</b> of a preview also warn about configured columns
whose header is not in the drawing, and about tables where fewer than half
of the rows became items.</p>

<h3>Discard list</h3>
<p>Phrases listed one per line in <tt>DISCARD.TXT</tt> beside the program are
cut out of every text of the input, ignoring letter case, before it is read.
This program reads it from <tt>%1</tt>. Changes take effect with the next
action.</p>

<h3>Command line</h3>
<pre>kelconv [/E] [/O | /A] [--] INPUT... OUTPUT CONFIG.cfg</pre>
<p>With three file names or more the program converts every input into the
one output without showing this dialog and ends, as Convert (or, with
<tt>/E</tt>, Export) would. Each input is a file, a quoted pattern or a
<tt>;</tt> list, as in Input File. Without file names it opens this dialog;
one or two names only print the usage. The exit status is 0 when every file
was written.</p>
<ul>
<li><tt>/E</tt> writes an export file instead of a KEL file.</li>
<li><tt>/O</tt> overwrites an existing output file, <tt>/A</tt> appends to
it; the later of the two wins. Without either, an existing output file is
left alone.</li>
<li>Options may also start with <tt>-</tt> and be written in any letter
case. <tt>--</tt> ends the options: every later argument is a file
name. <tt>-</tt> as an input reads it from the standard input.</li>
</ul>
)");
  return text.arg(discardListPath.toHtmlEscaped());
}

CHelpWindow::CHelpWindow(IPrompts& prompts, const QString& discardListPath,
                         QWidget* parent)
    : QWidget(parent, Qt::Window), m_prompts(prompts) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("%1 Help").arg(QLatin1String(kAppTitle)));
  setWindowIcon(ProgramIcon());

  m_pBrowser = new QTextBrowser(this);
  m_pBrowser->setObjectName(QStringLiteral("helpText"));
  m_pBrowser->setHtml(HelpText(discardListPath));

  auto* box = new QDialogButtonBox(this);
  m_pAbout =
      box->addButton(QStringLiteral("&About..."), QDialogButtonBox::ActionRole);
  m_pAbout->setObjectName(QStringLiteral("about"));
  QPushButton* close = box->addButton(QDialogButtonBox::Close);
  SetStandardMnemonics(*box);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(m_pAbout, &QPushButton::clicked, this, [this] {
    CAboutDialog about(this);
    m_prompts.RunDialog(about);
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pBrowser);
  layout->addWidget(box);
  resize(560, 600);
}
