// The 万年历 page: a month grid and the chosen day's facts, from the
// moonfold package beside it.  #YYYY-MM opens a month, #YYYY-MM-DD a day
// of it; every text of the calendar comes from the package, in the script
// chosen, and only the page's own labels are written here.
import * as moonfold from './moonfold/index.js';

// The page's own words in traditional characters, by their simplified
// form; a word written alike in both is not listed.
const LABELS = {
  万年历: '萬年曆', 公历: '公曆', 农历: '農曆', 节气: '節氣', 节日: '節日', 黄历: '黃曆', 纪年: '紀年',
  倒数: '倒數', '吉时 ': '吉時 ', '班：调休上班': '班：調休上班', 未公布: '未公佈',
};

const state = { year: 0, month: 0, selected: null, script: localStorage.getItem('moonfold-script') ?? 'simplified' };
let first;
let last;

const $ = (selector) => document.querySelector(selector);
const word = (simplified) => (state.script === 'traditional' ? LABELS[simplified] ?? simplified : simplified);
const pad = (n, width = 2) => String(n).padStart(width, '0');
const isoOf = (y, m, d) => `${pad(y, 4)}-${pad(m)}-${pad(d)}`;
const opts = () => ({ script: state.script });
const named = (kind, id) => moonfold.name(kind, id, opts());

const weekdayName = (weekday) => named('WEEKDAY', weekday);

function todayIso() {
  const now = new Date();
  return isoOf(now.getFullYear(), now.getMonth() + 1, now.getDate());
}

function element(tag, attributes = {}, ...children) {
  const node = document.createElement(tag);
  for (const [key, value] of Object.entries(attributes)) {
    if (key === 'class') node.className = value;
    else node.setAttribute(key, value);
  }
  node.append(...children.filter((child) => child !== null && child !== undefined && child !== ''));
  return node;
}

// ---- the grid ----------------------------------------------------------

function lunarMonthName({ month, leap }) {
  return `${named(leap ? 'LEAP_MONTH' : 'LUNAR_MONTH', month)}${word('月')}`;
}

function festivalsOf(facts) {
  const names = [];
  for (const [list, kind] of [
    [facts.lunarFestivals, 'LUNAR_FESTIVAL'],
    [facts.fixedFestivals, 'FIXED_FESTIVAL'],
    [facts.weekdayFestivals, 'WEEKDAY_FESTIVAL'],
    [facts.lastWeekFestivals, 'LAST_WEEK_FESTIVAL'],
  ]) {
    for (const id of list.ids.slice(0, list.count)) names.push(named(kind, id));
  }
  return names;
}

/** A day's cell: its number, its mark of the official days, and one line
 *  below as such pages have it — a lunar festival, else the solar term,
 *  else another festival, else the lunar day (the month's name on 初一). */
function dayCell(iso, inMonth, today) {
  const day = Number(iso.slice(8));
  const cell = element('td', { 'data-date': iso });
  let facts;
  try {
    facts = moonfold.factsOf(iso);
  } catch (error) {
    if (!(error instanceof RangeError)) throw error;
    cell.className = 'outside';
    cell.append(element('span', { class: 'number' }, String(day)));
    return cell;
  }
  const classes = [inMonth ? 'in-month' : 'other-month'];
  // The festivals come lunar ones first, so a lunar festival is the first.
  const festivals = festivalsOf(facts);
  const lunarFestival = facts.lunarFestivals.count > 0;
  const term = facts.solarTerm >= 0 ? named('SOLAR_TERM', facts.solarTerm) : '';
  let line;
  if (lunarFestival || (!term && festivals.length)) {
    line = festivals[0];
    classes.push('festival');
  } else if (term) {
    line = term;
    classes.push('term');
  } else {
    line = facts.lunar.day === 1 ? lunarMonthName(facts.lunar) : named('LUNAR_DAY', facts.lunar.day);
  }
  if (facts.lunar.day === 1) classes.push('new-month');
  let mark = null;
  if (facts.official === moonfold.constants.DAY_OFF) mark = element('span', { class: 'mark off' }, word('休'));
  if (facts.official === moonfold.constants.DAY_MAKE_UP) mark = element('span', { class: 'mark work' }, word('班'));
  // Days decades ahead whose lunar date, term or new moon may fall a day
  // earlier or later are marked as the command marks them; the new moon
  // in question shows its phase in place of the lunar day.
  const uncertain = facts.lunarUncertain || facts.moonUncertain || facts.solarTermUncertain;
  if (uncertain) {
    classes.push('uncertain');
    cell.title = word('此日推算或差一天');
  }
  if (facts.moonUncertain) {
    classes.push('uncertain-moon');
    if (!lunarFestival && !term) line = named('MOON_PHASE', facts.moonPhase);
  }
  if (iso === today) classes.push('today');
  if (iso === state.selected) classes.push('selected');
  if (facts.weekday === 0 || facts.weekday === 6) classes.push('weekend');
  cell.className = classes.join(' ');
  cell.tabIndex = 0;
  cell.append(
    ...[
      element('span', { class: 'number' }, String(day)),
      mark,
      uncertain ? element('span', { class: 'mark uncertain-mark', 'aria-label': word('此日推算或差一天') }, '?') : null,
      element('span', { class: 'lunar' }, line),
    ].filter(Boolean),
  );
  return cell;
}

function drawGrid() {
  const { year, month } = state;
  const head = $('#grid thead tr');
  head.replaceChildren(...Array.from({ length: 7 }, (_, i) => element('th', { class: i === 0 || i === 6 ? 'weekend' : '' }, weekdayName(i))));
  const today = todayIso();
  const start = new Date(Date.UTC(year, month - 1, 1));
  const lead = start.getUTCDay();
  const days = new Date(Date.UTC(year, month, 0)).getUTCDate();
  const weeks = Math.ceil((lead + days) / 7);
  const rows = [];
  for (let w = 0; w < weeks; ++w) {
    const row = element('tr');
    for (let i = 0; i < 7; ++i) {
      const at = new Date(Date.UTC(year, month - 1, 1 + w * 7 + i - lead));
      const iso = isoOf(at.getUTCFullYear(), at.getUTCMonth() + 1, at.getUTCDate());
      row.append(dayCell(iso, at.getUTCMonth() + 1 === month, today));
    }
    rows.push(row);
  }
  $('#grid tbody').replaceChildren(...rows);

  // The lunar years the month spans, with their animals.
  const title = [];
  for (const iso of [isoOf(year, month, 1), isoOf(year, month, days)]) {
    try {
      const facts = moonfold.factsOf(iso);
      const name = `${named('CYCLE', facts.yearCycle)}年 ${named('ANIMAL', facts.zodiac)}`;
      if (!title.includes(name)) title.push(name);
    } catch (error) {
      if (!(error instanceof RangeError)) throw error;
    }
  }
  $('#month-title').textContent = `${year}年${month}月  ${title.join(' / ')}`;
  $('#legend').textContent = [word('休：放假'), word('班：调休上班'), word('?：此日或差一天')].join('　');
}

// ---- the day's facts ---------------------------------------------------

/** The panel's rows: a label and the keywords whose texts it shows, each
 *  text exactly as the command and the plug-in give it, with the word
 *  that reads after it ("丙午" 年, "正" 月). */
const ROWS = [
  ['公历', [['DATE'], ['WEEKDAY', '星期']]],
  ['农历', [['HEYEAR', '', '年'], ['TWELVEANIMALS'], ['LUNARMONTH', '', '月'], ['LUNARDAY']]],
  ['纪年', [['ERA'], ['ROCYEAR']]],
  ['干支', [['HEYEAR', '', '年'], ['HEMONTH', '', '月'], ['HEDAY', '', '日']]],
  ['八字', [['PILLARS']]],
  ['节气', [['SOLAR'], ['NEXTTERM']]],
  ['节日', [['FLUNARS'], ['FEASTS'], ['FWEEKDAY'], ['FLASTWEEK']]],
  ['放假', [['HOLIDAY'], ['DAYOFF']]],
  ['倒数', [['COUNTDOWN']]],
  ['月相', [['MOONPHASE']]],
  ['伏九', [['SEASONDAYS']]],
  ['物候', [['PENTAD']]],
  ['星座', [['CONSTELLATION']]],
  ['黄历', [['DUTY', '', '日'], ['DAYGOD'], ['MANSION'], ['CLASH'], ['PENGZU'], ['DIRECTIONS'], ['LUCKYHOURS', '吉时 ']]],
];

function officialWord(iso) {
  try {
    return word(moonfold.workday(iso) ? '工作日' : '休息日');
  } catch (error) {
    if (!(error instanceof RangeError)) throw error;
    return word('未公布');
  }
}

function drawFacts() {
  const panel = $('#facts');
  const iso = state.selected;
  if (!iso) {
    panel.replaceChildren();
    return;
  }
  let facts;
  try {
    facts = moonfold.factsOf(iso);
  } catch (error) {
    if (!(error instanceof RangeError)) throw error;
    panel.replaceChildren(element('p', {}, error.message));
    return;
  }
  const heading = element('h2', {}, `${iso}　星期${weekdayName(facts.weekday)}`);
  const lunar = element('p', { class: 'lunar-date' },
    `${lunarMonthName(facts.lunar)}${named('LUNAR_DAY', facts.lunar.day)}`,
    facts.lunarUncertain ? element('span', { class: 'uncertain-mark', title: word('此日推算或差一天') }, ' ?') : null);
  const list = element('dl');
  for (const [label, keywords] of ROWS) {
    const values = [];
    for (const [keyword, before = '', after = ''] of keywords) {
      const text = moonfold.text(keyword, iso, opts());
      if (text) {
        values.push(element('span', { class: 'value' }, word(before), element('span', { 'data-keyword': keyword }, text), word(after)));
      }
    }
    if (label === '放假') values.push(element('span', { class: 'official' }, officialWord(iso)));
    if (!values.length) continue;
    list.append(element('dt', {}, word(label)), element('dd', {}, ...values));
  }
  panel.replaceChildren(heading, lunar, list);
}

// ---- navigation --------------------------------------------------------

function clampMonth(year, month) {
  const [fy, fm] = first.split('-').map(Number);
  const [ly, lm] = last.split('-').map(Number);
  const at = Math.min(Math.max(year * 12 + month - 1, fy * 12 + fm - 1), ly * 12 + lm - 1);
  return [Math.floor(at / 12), (at % 12) + 1];
}

function fromHash() {
  const m = /^#(\d{4})-(\d{2})(?:-(\d{2}))?$/.exec(location.hash);
  const today = todayIso();
  const [y, mo] = m ? [Number(m[1]), Number(m[2])] : [Number(today.slice(0, 4)), Number(today.slice(5, 7))];
  [state.year, state.month] = clampMonth(y, Math.min(Math.max(mo, 1), 12));
  const inMonth = (iso) => iso && iso.startsWith(isoOf(state.year, state.month, 1).slice(0, 8));
  if (m && m[3]) state.selected = `${m[1]}-${m[2]}-${m[3]}`;
  else if (!inMonth(state.selected)) state.selected = inMonth(today) ? today : isoOf(state.year, state.month, 1);
  draw();
}

// A month by the address, as a link or the back button would open it; a
// month that is already the address (today's, or the range's last one
// clamped to) is drawn again, for no hashchange comes.
function go(year, month) {
  [year, month] = clampMonth(year, month);
  const hash = `#${pad(year, 4)}-${pad(month)}`;
  if (location.hash === hash) fromHash();
  else location.hash = hash;
}

function draw() {
  document.documentElement.lang = state.script === 'traditional' ? 'zh-Hant' : 'zh-Hans';
  for (const node of document.querySelectorAll('[data-label]')) {
    const text = word(node.dataset.label);
    if (node.tagName === 'BUTTON' && node.title) node.title = text;
    else node.textContent = text;
  }
  document.title = `${word('万年历')} · Moonfold`;
  $('#script').textContent = state.script === 'traditional' ? '简' : '繁';
  $('#script').setAttribute('aria-pressed', String(state.script === 'traditional'));
  $('#year').value = state.year;
  $('#month').replaceChildren(...Array.from({ length: 12 }, (_, i) => {
    const option = element('option', { value: String(i + 1) }, `${i + 1}${word('月')}`);
    option.selected = i + 1 === state.month;
    return option;
  }));
  drawGrid();
  drawFacts();
}

function choose(cell) {
  if (!cell || !cell.dataset.date || cell.classList.contains('outside')) return;
  state.selected = cell.dataset.date;
  const [y, m] = state.selected.split('-').map(Number);
  if (y !== state.year || m !== state.month) {
    go(y, m);
    return;
  }
  for (const node of document.querySelectorAll('#grid td.selected')) node.classList.remove('selected');
  cell.classList.add('selected');
  drawFacts();
}

async function start() {
  await moonfold.init();
  ({ first, last } = moonfold.range());
  $('#year').min = first.slice(0, 4);
  $('#year').max = last.slice(0, 4);
  $('#prev-year').addEventListener('click', () => go(state.year - 1, state.month));
  $('#next-year').addEventListener('click', () => go(state.year + 1, state.month));
  $('#prev-month').addEventListener('click', () => go(state.year, state.month - 1));
  $('#next-month').addEventListener('click', () => go(state.year, state.month + 1));
  $('#today').addEventListener('click', () => {
    state.selected = todayIso();
    go(Number(state.selected.slice(0, 4)), Number(state.selected.slice(5, 7)));
  });
  $('#year').addEventListener('change', (event) => {
    const year = Number(event.target.value);
    if (Number.isInteger(year)) go(year, state.month);
  });
  $('#month').addEventListener('change', (event) => go(state.year, Number(event.target.value)));
  $('#script').addEventListener('click', () => {
    state.script = state.script === 'traditional' ? 'simplified' : 'traditional';
    localStorage.setItem('moonfold-script', state.script);
    draw();
  });
  $('#grid').addEventListener('click', (event) => choose(event.target.closest('td')));
  $('#grid').addEventListener('keydown', (event) => {
    if (event.key === 'Enter' || event.key === ' ') {
      event.preventDefault();
      choose(event.target.closest('td'));
    }
  });
  window.addEventListener('hashchange', fromHash);
  fromHash();
  $('#status').textContent = `Moonfold ${moonfold.version()} · ${first} … ${last}`;
  document.body.dataset.ready = 'true';
}

start().catch((error) => {
  $('#status').textContent = String(error);
  throw error;
});
