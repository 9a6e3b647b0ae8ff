// Forms made with pdf-lib, as web form services make them: comb and length-limited fields,
// rotated widgets, a page turned with /Rotate, password and auto-sized multiline fields, and a
// hybrid XFA form with usage rights that asks viewers to draw its fields.
//   node pdflib.mjs OUTPUT_FOLDER   (needs pdf-lib 1.17 in node_modules; see make_test_forms.sh)
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import pdflib from 'pdf-lib';

const { PDFDocument, PDFName, PDFBool, PDFString, StandardFonts, degrees, rgb } = pdflib;
const out = process.argv[2];
const grey = rgb(0.45, 0.5, 0.6);
const tint = rgb(0.94, 0.96, 1);

async function newDocument(title) {
    const doc = await PDFDocument.create({ updateMetadata: false });
    doc.setTitle(title);
    doc.setProducer('pdf-lib');
    doc.setCreator('tools/testforms/pdflib.mjs');
    const epoch = new Date(Date.UTC(2024, 0, 1));
    doc.setCreationDate(epoch);
    doc.setModificationDate(epoch);
    return doc;
}

function caption(page, font, text, x, y) {
    page.drawText(text, { x, y, size: 9, font });
}

// Adds a text field below its caption; options as pdf-lib's addToPage takes them.
function textField(form, page, font, name, label, rect, setup = () => {}) {
    const field = form.createTextField(name);
    caption(page, font, label, rect.x, rect.y + rect.height + 3);
    field.addToPage(page, {
        font, borderColor: grey, backgroundColor: tint, borderWidth: 1, ...rect,
    });
    field.setFontSize(10);
    setup(field);
    return field;
}

async function fields() {
    const doc = await newDocument('Felder');
    const font = await doc.embedFont(StandardFonts.Helvetica);
    const page = doc.addPage([595, 842]);
    const form = doc.getForm();
    textField(form, page, font, 'Name', 'Name', { x: 50, y: 760, width: 300, height: 20 });
    textField(form, page, font, 'PLZ', 'Postleitzahl (Kammfeld, 5 Zeichen)',
        { x: 50, y: 710, width: 100, height: 20 }, f => { f.setMaxLength(5); f.enableCombing(); });
    textField(form, page, font, 'Steuernummer', 'Steuernummer (Kammfeld, 10 Zeichen)',
        { x: 200, y: 710, width: 200, height: 20 }, f => { f.setMaxLength(10); f.enableCombing(); });
    textField(form, page, font, 'Land', 'Land (2 Zeichen)',
        { x: 450, y: 710, width: 60, height: 20 }, f => f.setMaxLength(2));
    textField(form, page, font, 'Kennwort', 'Kennwort',
        { x: 50, y: 660, width: 150, height: 20 }, f => f.enablePassword());
    textField(form, page, font, 'Bemerkung', 'Bemerkung (mehrzeilig, Größe automatisch)',
        { x: 50, y: 560, width: 250, height: 70 }, f => { f.enableMultiline(); f.setFontSize(0); });
    // Turned as Acrobat turns a widget: its rectangle on the page, /MK /R for the text.
    const turn = (angle) => (f) =>
        f.acroField.getWidgets()[0].getOrCreateAppearanceCharacteristics().setRotation(angle);
    textField(form, page, font, 'Hoch', 'R 90',
        { x: 350, y: 400, width: 20, height: 150 }, turn(90));
    textField(form, page, font, 'Kopf', 'R 180',
        { x: 400, y: 590, width: 150, height: 20 }, turn(180));
    textField(form, page, font, 'Quer', 'R 270',
        { x: 520, y: 400, width: 20, height: 150 }, turn(270));
    const choice = form.createDropdown('Auswahl');
    choice.addOptions(['Packung', 'Flasche', 'Tube']);
    choice.select('Flasche');
    caption(page, font, 'Auswahl', 50, 523);
    choice.addToPage(page, { x: 50, y: 500, width: 150, height: 20, font, borderColor: grey });
    return doc;
}

// A page turned a quarter: its text is drawn turned back, so it reads upright when shown.
async function turned() {
    const doc = await newDocument('Gedreht');
    const font = await doc.embedFont(StandardFonts.Helvetica);
    const page = doc.addPage([595, 842]);
    page.setRotation(degrees(90));
    const form = doc.getForm();
    const turnedText = (text, x, y) =>
        page.drawText(text, { x, y, size: 9, font, rotate: degrees(90) });
    turnedText('Name', 100, 50);
    const name = form.createTextField('Name');
    name.addToPage(page,
        { x: 105, y: 50, width: 20, height: 300, font, borderColor: grey, backgroundColor: tint });
    name.setFontSize(10);
    turnedText('Postleitzahl', 160, 50);
    const plz = form.createTextField('PLZ');
    plz.setMaxLength(5);
    plz.enableCombing();
    plz.addToPage(page,
        { x: 165, y: 50, width: 20, height: 100, font, borderColor: grey, backgroundColor: tint });
    plz.setFontSize(0);
    return doc;
}

// The AcroForm of a form designed for XFA viewers, with Reader usage rights, whose fields
// were never drawn: viewers are asked to draw them.
async function hybrid() {
    const doc = await newDocument('Hybrid');
    const font = await doc.embedFont(StandardFonts.Helvetica);
    const page = doc.addPage([595, 842]);
    const form = doc.getForm();
    textField(form, page, font, 'Antragsteller', 'Antragsteller',
        { x: 50, y: 760, width: 300, height: 20 });
    textField(form, page, font, 'Vorbelegt', 'Vorbelegt',
        { x: 50, y: 710, width: 300, height: 20 }, f => f.setText('Wien'));
    textField(form, page, font, 'Ohne Bild', 'Ohne Bild',
        { x: 50, y: 660, width: 300, height: 20 }, f => f.setText('Graz'));
    const choice = form.createDropdown('Einheit');
    choice.addOptions(['Stück', 'Packung']);
    choice.select('Packung');
    caption(page, font, 'Einheit', 50, 633);
    choice.addToPage(page, { x: 50, y: 610, width: 150, height: 20, font, borderColor: grey });
    const list = form.createOptionList('Liste');
    list.addOptions(['Erstantrag', 'Änderung', 'Streichung']);
    list.select('Änderung');
    caption(page, font, 'Liste', 250, 633);
    list.addToPage(page, { x: 250, y: 570, width: 150, height: 60, font, borderColor: grey });
    // What the form tool left undrawn.
    for (const name of ['Ohne Bild', 'Einheit', 'Liste'])
        form.getField(name).acroField.getWidgets()[0].dict.delete(PDFName.of('AP'));
    const acroForm = form.acroForm.dict;
    acroForm.set(PDFName.of('NeedAppearances'), PDFBool.True);
    const template = doc.context.flateStream(
        '<template xmlns="http://www.xfa.org/schema/xfa-template/3.3/"><subform name="form1">' +
        '<field name="Antragsteller"/></subform></template>');
    acroForm.set(PDFName.of('XFA'), doc.context.obj([
        PDFString.of('template'), doc.context.register(template)]));
    const rights = doc.context.obj({
        Type: 'Sig', Filter: 'Adobe.PPKLite', SubFilter: 'adbe.pkcs7.detached',
        Contents: PDFString.of('0'.repeat(64)),
        Reference: [{ Type: 'SigRef', TransformMethod: 'UR3',
            TransformParams: { Type: 'TransformParams', V: PDFName.of('2.2'), Form: ['FillIn'] } }],
    });
    doc.catalog.set(PDFName.of('Perms'), doc.context.obj({ UR3: doc.context.register(rights) }));
    return doc;
}

for (const [name, make] of [['pdflib-fields', fields], ['pdflib-turned', turned],
    ['pdflib-hybrid', hybrid]]) {
    const doc = await make();
    // Appearances as pdf-lib draws them; the hybrid keeps the ones it left out.
    const bytes = await doc.save({ useObjectStreams: false, updateFieldAppearances: false });
    writeFileSync(join(out, name + '.pdf'), bytes);
}
